#pragma once

#include "platform/clock.h"
#include "platform/filesystem.h"
#include "platform/processes.h"

#include <string>
#include <string_view>

namespace lexi {

// The program's trace: one line per call, appended to "Lexitray_" + logon name
// + ".log" in the log folder, written in the code page with CR LF line ends.
// Every process of the user writes the same file; writing never disturbs the
// caller.
class RunLog {
public:
    static constexpr std::int64_t SizeLimit = 2'000'000;

    RunLog(FileSystem& files, Processes& processes, Clock& clock);

    // The folder text the file name is glued to, unchanged: no separator is
    // added. Empty (until start-up has read it) means the working folder.
    void setFolder(std::string folder) { folder_ = std::move(folder); }
    const std::string& folder() const { return folder_; }

    // Appends the date and time, a tab, the text and a line end. A file
    // larger than the size limit is started afresh first. Any failure loses
    // the line silently.
    void WriteLog(std::string_view text) noexcept;

    // The logon name of the current user, cut at its first NUL character.
    std::string GetWindowsUserName();

private:
    FileSystem& files_;
    Processes& processes_;
    Clock& clock_;
    std::string folder_;
};

} // namespace lexi
