#include "library/automation_date.h"

#include "platform/text.h"

#include <string>

namespace lexi {
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

std::optional<double> parseDanishDate(std::string_view text) {
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
    return automationDateOf(when);
}

} // namespace lexi
