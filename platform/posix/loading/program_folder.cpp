#include "platform/posix/loading/program_folder.h"

namespace lexi::posix {

std::filesystem::path programFile() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

std::filesystem::path programFolder() {
    return programFile().parent_path();
}

} // namespace lexi::posix
