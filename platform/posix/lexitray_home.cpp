#include "platform/posix/lexitray_home.h"

#include <cstdlib>

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

std::string lexitrayHome() {
    return resolveLexitrayHome(variable("LEXITRAY_HOME"), variable("XDG_DATA_HOME"),
                               variable("HOME"));
}

} // namespace lexi::posix
