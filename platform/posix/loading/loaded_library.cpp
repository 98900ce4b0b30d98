#include "platform/posix/loading/loaded_library.h"

#include <dlfcn.h>

namespace lexi::posix {

LoadedLibrary::LoadedLibrary(const std::string& file)
    : handle_(::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (!handle_) {
        const char* why = ::dlerror();
        error_ = why ? why : "unknown error";
    }
}

void* LoadedLibrary::symbol(const char* name) const {
    return handle_ ? ::dlsym(handle_, name) : nullptr;
}

} // namespace lexi::posix
