#include "tests/support/log_lines.h"

#include "platform/cp1252.h"
#include "platform/text.h"

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

} // namespace lexi::testing
