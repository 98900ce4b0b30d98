#pragma once

#include <string>

namespace lexi::posix {

// A shared library loaded at run time with every symbol bound at once and
// none of them visible to libraries loaded later. It stays loaded for the
// life of the process: functions taken from it may be kept anywhere.
class LoadedLibrary {
public:
    // Loads `file` (a path, or a name the dynamic loader looks up).
    explicit LoadedLibrary(const std::string& file);

    // Whether the library was loaded; when not, `error()` says why.
    bool loaded() const { return handle_ != nullptr; }
    const std::string& error() const { return error_; }

    // The address of the symbol `name`; null when the library lacks it or
    // was not loaded.
    void* symbol(const char* name) const;

    // Points `function` at the library's function `name`; false, with
    // `function` null, when there is none.
    template <typename Function> bool bind(Function& function, const char* name) const {
        function = reinterpret_cast<Function>(symbol(name));
        return function != nullptr;
    }

private:
    void* handle_;
    std::string error_;
};

} // namespace lexi::posix
