#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lexi::testing {

// The texts of a run log's lines, date and tab taken off, in UTF-8. A line
// text that itself holds line breaks comes back as several lines.
std::vector<std::string> logLineTexts(const std::filesystem::path& logFile);

} // namespace lexi::testing
