#include "platform/posix/work_folder.h"

#include "platform/failure.h"

#include <cerrno>
#include <cstdlib>

namespace lexi::posix {

WorkFolder::WorkFolder(const std::filesystem::path& hostParent, const char* source) {
    std::string pattern = (hostParent / ".lexitray-work-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw failureFromErrno(errno, pattern, source);
    }
    path_ = pattern;
}

WorkFolder::~WorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace lexi::posix
