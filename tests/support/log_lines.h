#pragma once

#include "platform/cp1252.h"
#include "platform/text.h"

#include <string>
#include <vector>

namespace lexi::testing {

// The texts of a run log's lines, date and tab taken off, in UTF-8, from the
// log file's bytes. A line text that itself holds line breaks comes back as
// several lines.
inline std::vector<std::string> logLineTexts(const std::string& logBytes) {
    const std::string all = cp1252::toUtf8(logBytes);
    std::vector<std::string> lines;
    if (all.empty()) {
        return lines;
    }
    for (const std::string_view line :
         text::split(std::string_view(all).substr(0, all.size() - 2), "\r\n")) {
        const std::size_t tab = line.find('\t');
        lines.emplace_back(tab == std::string_view::npos ? line : line.substr(tab + 1));
    }
    return lines;
}

} // namespace lexi::testing
