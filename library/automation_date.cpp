#include "library/automation_date.h"

#include "platform/text.h"

#include <cmath>
#include <regex>
#include <string>

namespace lexi {

LocalDateTime localDateOf(double automationDate) {
    const double days = std::trunc(automationDate);
    const double fraction = std::fabs(automationDate - days);
    return addSeconds(LocalDateTime{},
                      static_cast<std::int64_t>(days) * 86400 + std::llround(fraction * 86400.0));
}

double automationDateOf(const LocalDateTime& when) {
    LocalDateTime midnight = when;
    midnight.hour = midnight.minute = midnight.second = 0;
    const double days = static_cast<double>(secondsBetween(LocalDateTime{}, midnight) / 86400);
    const double fraction = (when.hour * 3600 + when.minute * 60 + when.second) / 86400.0;
    return days < 0 ? days - fraction : days + fraction;
}

std::optional<double> parseDanishDate(std::string_view text) {
    static const std::regex Form(
        R"((\d{1,2})-(\d{1,2})-(\d{4})(?: (\d{1,2}):(\d{2})(?::(\d{2}))?)?)");
    const std::string trimmed(text::trimSpaces(text));
    std::smatch parts;
    if (!std::regex_match(trimmed, parts, Form)) {
        return std::nullopt;
    }
    const auto number = [&](std::size_t index) {
        return parts[index].matched ? std::stoi(parts[index].str()) : 0;
    };
    const LocalDateTime when{number(3), number(2), number(1), number(4), number(5), number(6)};
    // A day past the month's end would roll over into the next: refuse it.
    const LocalDateTime normal = addSeconds(when, 0);
    if (when.month < 1 || when.month > 12 || when.hour > 23 || when.minute > 59 ||
        when.second > 59 || normal.day != when.day || normal.month != when.month) {
        return std::nullopt;
    }
    return automationDateOf(when);
}

} // namespace lexi
