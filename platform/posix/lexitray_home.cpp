#include "platform/posix/lexitray_home.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace lexi::posix {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string withoutFinalSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

std::string resolveLexitrayHome(const std::string& lexitrayHome, const std::string& xdgDataHome,
                                const std::string& home) {
    if (!lexitrayHome.empty()) {
        return withoutFinalSlash(lexitrayHome);
    }
    if (!xdgDataHome.empty()) {
        return withoutFinalSlash(xdgDataHome) + "/lexitray";
    }
    return withoutFinalSlash(home.empty() ? std::string("/tmp") : home) + "/.local/share/lexitray";
}

void createPrivateFolder(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored)) {
        return;
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    ::mkdir(path.c_str(), 0700);
}

std::string lexitrayHome() {
    return resolveLexitrayHome(variable("LEXITRAY_HOME"), variable("XDG_DATA_HOME"),
                               variable("HOME"));
}

} // namespace lexi::posix
