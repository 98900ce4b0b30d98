#include "platform/danish_format.h"

#include <array>
#include <cstdio>

namespace lexi::danish {

std::string shortDate(const LocalDateTime& when) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", when.day, when.month, when.year);
    return text;
}

std::string longTime(const LocalDateTime& when) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", when.hour, when.minute, when.second);
    return text;
}

std::string generalDate(const LocalDateTime& when) {
    if (when.isMidnight()) {
        return shortDate(when);
    }
    return shortDate(when) + ' ' + longTime(when);
}

std::string monthName(int month) {
    static constexpr std::array<const char*, 12> Names = {
        "januar", "februar", "marts",     "april",   "maj",      "juni",
        "juli",   "august",  "september", "oktober", "november", "december"};
    if (month < 1 || month > 12) {
        return {};
    }
    return Names[month - 1];
}

} // namespace lexi::danish
