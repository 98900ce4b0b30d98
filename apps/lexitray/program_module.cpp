#include "apps/lexitray/program_module.h"

#include <cstdio>
#include <dlfcn.h>
#include <filesystem>

namespace lexi {

void* loadModuleEntry(const std::string& moduleName, const char* entryName) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string module = (program.parent_path() / moduleName).string();
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "lexitray: %s cannot be loaded: %s\n", moduleName.c_str(),
                     ::dlerror());
        return nullptr;
    }
    void* entry = ::dlsym(handle, entryName);
    if (!entry) {
        std::fprintf(stderr, "lexitray: %s has no %s\n", module.c_str(), entryName);
    }
    return entry;
}

} // namespace lexi
