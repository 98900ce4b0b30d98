#pragma once

#include <string_view>

namespace lexi {
namespace posix {
class DriveTable;
}

// Where the workstation's hidden-data tool lives; the document preparation
// starts it there.
inline constexpr std::string_view HiddenDataToolPath =
    "C:\\Program Files\\Microsoft Office\\Remove Hidden Data Tool\\offrhd.exe";

// Makes `program` (a host path) answer at the tool's path under the drive
// table's drive C, as a link replacing whatever was there. False when it
// cannot.
bool installHiddenDataTool(const posix::DriveTable& drives, std::string_view program);

} // namespace lexi
