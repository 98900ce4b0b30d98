#pragma once

#include "platform/cp1252.h"
#include "platform/script/record.h"
#include "platform/text.h"

#include <filesystem>
#include <fstream>
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

// What a scripted UI's transcript file shows, one entry a record: "kind:event"
// of a window, "msgbox:<text>" of a message box; none when the file is missing.
inline std::vector<std::string> transcriptEvents(const std::filesystem::path& file) {
    std::vector<std::string> seen;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const auto record = script::Record::fromLine(line);
        seen.push_back(record.kind + ":" +
                       record.field(record.kind == "msgbox" ? "text" : "event"));
    }
    return seen;
}

} // namespace lexi::testing
