#include "platform/posix/search_path.h"

#include <cstdlib>
#include <unistd.h>

namespace lexi::posix {

std::string findOnPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    const std::string_view folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string_view::npos) {
            end = folders.size();
        }
        const std::string candidate =
            std::string(folders.substr(start, end - start)) + "/" + std::string(program);
        if (end > start && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

} // namespace lexi::posix
