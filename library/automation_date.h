#pragma once

#include "platform/clock.h"

#include <optional>
#include <string_view>

namespace lexi {

// An automation date (days since 30 December 1899, the time of day as the
// fraction, which counts forward from midnight also before 1900) as the
// local date and time it stands for, to the second.
LocalDateTime localDateOf(double automationDate);

// The automation date of a local date and time.
double automationDateOf(const LocalDateTime& when);

// A date in the workstation's short form, "24-12-2026", optionally with a
// time "14:05" or "14:05:30" after a space, as an automation date; nothing
// for any other text or a day the calendar lacks.
std::optional<double> parseDanishDate(std::string_view text);

} // namespace lexi
