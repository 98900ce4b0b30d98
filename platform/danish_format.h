#pragma once

#include "platform/clock.h"

#include <optional>
#include <string>
#include <string_view>

// The Danish regional formats of the workstation, in one place.
namespace lexi::danish {

// "dd-mm-yyyy hh:mm:ss"; only the date at exactly midnight.
std::string generalDate(const LocalDateTime& when);

// "dd-mm-yyyy".
std::string shortDate(const LocalDateTime& when);

// "hh:mm:ss".
std::string longTime(const LocalDateTime& when);

// "januar" to "december" for months 1 to 12; the empty text otherwise.
std::string monthName(int month);

// A number with the decimal comma, to 15 significant digits: "1,5", "-3",
// "1e+20".
std::string number(double value);

// A number written with the decimal comma or a point, spaces around it
// allowed ("12", " -3 ", "1,5", "1.5"); nothing for any other text.
std::optional<double> parseNumber(std::string_view text);

// A date in the short form, "24-12-2026", optionally with a time "14:05" or
// "14:05:30" after a space; nothing for any other text or a day the calendar
// lacks.
std::optional<LocalDateTime> parseDate(std::string_view text);

} // namespace lexi::danish
