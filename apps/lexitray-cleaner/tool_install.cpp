#include "apps/lexitray-cleaner/tool_install.h"

#include "platform/posix/drive_table.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace lexi {

bool installHiddenDataTool(const posix::DriveTable& drives, std::string_view program) {
    const auto tool = drives.toHost(HiddenDataToolPath);
    if (!tool) {
        return false;
    }
    const std::filesystem::path link(*tool);
    std::error_code error;
    std::filesystem::create_directories(link.parent_path(), error);
    // Made beside and renamed into place: a tool started meanwhile finds the
    // old link or the new one.
    const std::filesystem::path partial = link.string() + ".part" + std::to_string(::getpid());
    std::filesystem::remove(partial, error);
    std::filesystem::create_symlink(program, partial, error);
    if (error || ::rename(partial.c_str(), link.c_str()) != 0) {
        std::filesystem::remove(partial, error);
        return false;
    }
    return true;
}

} // namespace lexi
