#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lexi::testing {

// The texts of a run log's lines, date and tab taken off, in UTF-8, from the
// log file's bytes. A line text that itself holds line breaks comes back as
// several lines.
std::vector<std::string> logLineTexts(const std::string& logBytes);

// What a scripted UI's transcript file shows, one entry a record: "kind:event"
// of a window, "msgbox:<text>" of a message box; none when the file is missing.
std::vector<std::string> transcriptEvents(const std::filesystem::path& file);

} // namespace lexi::testing
