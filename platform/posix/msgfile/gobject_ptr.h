#pragma once

#include <glib-object.h>
#include <memory>

namespace lexi::msgfile {

struct GObjectUnref {
    void operator()(void* object) const { g_object_unref(object); }
};

// Owns one reference to a GObject (libgsf's inputs and outputs are GObjects).
template <class T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

} // namespace lexi::msgfile
