#pragma once

#include <string>
#include <vector>

namespace lexi::testing {

// The texts of a run log's lines, date and tab taken off, in UTF-8, from the
// log file's bytes. A line text that itself holds line breaks comes back as
// several lines.
std::vector<std::string> logLineTexts(const std::string& logBytes);

} // namespace lexi::testing
