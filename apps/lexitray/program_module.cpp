#include "apps/lexitray/program_module.h"

#include <cstdio>
#include <dlfcn.h>
#include <filesystem>

namespace lexi {
const void* loadModuleEntry(const std::string& moduleName, const char* entryName,
                            int interfaceVersion) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string module = (program.parent_path() / moduleName).string();
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "lexitray: %s cannot be loaded: %s\n", moduleName.c_str(),
                     ::dlerror());
        return nullptr;
    }
    const void* entry = ::dlsym(handle, entryName);
    if (!entry) {
        std::fprintf(stderr, "lexitray: %s has no %s\n", module.c_str(), entryName);
        return nullptr;
    }
    const int moduleVersion = *static_cast<const int*>(entry);
    if (moduleVersion != interfaceVersion) {
        std::fprintf(stderr,
                     "lexitray: %s is not used: it was built for interface version %d, "
                     "this program needs version %d\n",
                     module.c_str(), moduleVersion, interfaceVersion);
        return nullptr;
    }
    return entry;
}

} // namespace lexi
