#include "apps/lexitray/program_module.h"

#include "platform/posix/loading/loaded_library.h"
#include "platform/posix/loading/program_folder.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace lexi {
namespace {

struct ModuleFolders {
    std::filesystem::path folder;
    std::filesystem::path installed;
};

ModuleFolders& moduleFolders() {
    static ModuleFolders folders = [] {
        return ModuleFolders{posix::programFolder(), LEXITRAY_MODULE_DIR};
    }();
    return folders;
}

// The module's file: beside the program when it lies there, else in the
// installed module folder.
std::filesystem::path moduleFile(const std::string& moduleName) {
    const ModuleFolders& folders = moduleFolders();
    std::error_code error;
    const std::filesystem::path beside = folders.folder / moduleName;
    if (std::filesystem::exists(beside, error)) {
        return beside;
    }
    return (folders.folder / folders.installed / moduleName).lexically_normal();
}

} // namespace

void setModuleFolders(const std::string& folder, const std::string& installedFolder) {
    moduleFolders() = {folder, installedFolder};
}

const void* loadModuleEntry(const std::string& moduleName, const char* entryName,
                            int interfaceVersion, std::string* why) {
    const std::string module = moduleFile(moduleName).string();
    const auto refused = [&](const std::string& reason) -> const void* {
        std::fprintf(stderr, "lexitray: %s\n", reason.c_str());
        if (why) {
            *why = reason;
        }
        return nullptr;
    };
    const posix::LoadedLibrary library(module);
    if (!library.loaded()) {
        return refused(moduleName + " cannot be loaded: " + library.error());
    }
    const void* entry = library.symbol(entryName);
    if (!entry) {
        return refused(module + " has no " + entryName);
    }
    const int moduleVersion = *static_cast<const int*>(entry);
    if (moduleVersion != interfaceVersion) {
        return refused(module + " is not used: it was built for interface version " +
                       std::to_string(moduleVersion) + ", this program needs version " +
                       std::to_string(interfaceVersion));
    }
    return entry;
}

} // namespace lexi
