#include "program/run_log.h"

#include "platform/cp1252.h"
#include "platform/danish_format.h"
#include "shared/registry/md_registry.h"

namespace lexi {

RunLog::RunLog(FileSystem& files, Processes& processes, Clock& clock)
    : files_(files), processes_(processes), clock_(clock) {}

std::string RunLog::GetWindowsUserName() {
    return CutAtNul(processes_.logonName());
}

void RunLog::WriteLog(std::string_view text) noexcept {
    try {
        const std::string path = folder_ + "Lexitray_" + GetWindowsUserName() + ".log";
        std::string line = danish::generalDate(clock_.now());
        line += '\t';
        line += text;
        line += "\r\n";
        files_.appendToFile(path, cp1252::fromUtf8(line), SizeLimit);
    } catch (...) {
        // The log never disturbs its caller: a line that cannot be written is lost.
    }
}

} // namespace lexi
