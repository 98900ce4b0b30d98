#include "tests/support/log_lines.h"

#include "platform/cp1252.h"
#include "platform/script/record.h"
#include "platform/text.h"

#include <fstream>

namespace lexi::testing {

std::vector<std::string> logLineTexts(const std::string& logBytes) {
    const std::string all = cp1252::toUtf8(logBytes);
    std::vector<std::string> lines;
    if (all.empty()) {
        return lines;
    }
    const std::string_view withoutLastEnd = std::string_view(all).substr(0, all.size() - 2);
    for (const std::string_view line : text::split(withoutLastEnd, "\r\n")) {
        const std::size_t tab = line.find('\t');
        lines.emplace_back(tab == std::string_view::npos ? line : line.substr(tab + 1));
    }
    return lines;
}

std::vector<std::string> transcriptEvents(const std::filesystem::path& file) {
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
