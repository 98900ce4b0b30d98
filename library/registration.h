#pragma once

#include "platform/registry.h"

#include <string_view>

namespace lexi {

// What the platform's registration tool writes for the library in the
// user's registry (HKEY_CURRENT_USER\Software\Classes): each class under its
// programmatic name and class identity with the library's path, its two
// interfaces, and the type library with its version. Throws lexi::Failure
// (70 when the registry refuses the user) when a key cannot be written.
void registerLibrary(Registry& registry, std::string_view libraryPath);

// Removes all of it again; what is not there is not missed.
void unregisterLibrary(Registry& registry);

} // namespace lexi
