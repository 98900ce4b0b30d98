#include "platform/danish_format.h"

#include "platform/text.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace lexi::danish {
namespace {

// Reads a number of `minDigits` to `maxDigits` digits at `at`, moving past it.
std::optional<int> readNumber(std::string_view text, std::size_t& at, std::size_t minDigits,
                              std::size_t maxDigits) {
    std::size_t digits = 0;
    int value = 0;
    while (at < text.size() && digits < maxDigits && text[at] >= '0' && text[at] <= '9') {
        value = value * 10 + (text[at++] - '0');
        ++digits;
    }
    return digits >= minDigits ? std::optional<int>(value) : std::nullopt;
}

// Moves past `separator` at `at`; whether it was there.
bool skip(std::string_view text, std::size_t& at, char separator) {
    if (at < text.size() && text[at] == separator) {
        ++at;
        return true;
    }
    return false;
}

} // namespace

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

std::string number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        }
    }
    return text;
}

std::optional<double> parseNumber(std::string_view text) {
    std::string plain(text::trimSpaces(text));
    for (char& c : plain) {
        if (c == ',') {
            c = '.';
        }
    }
    if (plain.empty() || plain.find_first_not_of("+-.0123456789eE") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(plain.c_str(), &end);
    if (end != plain.c_str() + plain.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<LocalDateTime> parseDate(std::string_view text) {
    // "d-m-yyyy", optionally followed by " h:mm" or " h:mm:ss".
    const std::string_view trimmed = text::trimSpaces(text);
    std::size_t at = 0;
    const auto day = readNumber(trimmed, at, 1, 2);
    const auto month = skip(trimmed, at, '-') ? readNumber(trimmed, at, 1, 2) : std::nullopt;
    const auto year = skip(trimmed, at, '-') ? readNumber(trimmed, at, 4, 4) : std::nullopt;
    if (!day || !month || !year) {
        return std::nullopt;
    }
    LocalDateTime when{*year, *month, *day, 0, 0, 0};
    if (skip(trimmed, at, ' ')) {
        const auto hour = readNumber(trimmed, at, 1, 2);
        const auto minute = skip(trimmed, at, ':') ? readNumber(trimmed, at, 2, 2) : std::nullopt;
        if (!hour || !minute) {
            return std::nullopt;
        }
        when.hour = *hour;
        when.minute = *minute;
        if (skip(trimmed, at, ':')) {
            const auto second = readNumber(trimmed, at, 2, 2);
            if (!second) {
                return std::nullopt;
            }
            when.second = *second;
        }
    }
    // Anything left over, or a day past the month's end (which would roll
    // over into the next), is no date.
    const LocalDateTime normal = addSeconds(when, 0);
    if (at != trimmed.size() || when.month < 1 || when.month > 12 || when.hour > 23 ||
        when.minute > 59 || when.second > 59 || normal.day != when.day ||
        normal.month != when.month) {
        return std::nullopt;
    }
    return when;
}

} // namespace lexi::danish
