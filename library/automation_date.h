#pragma once

#include "platform/clock.h"

#include <optional>
#include <string_view>

namespace lexi {

// A date in the workstation's short form, "24-12-2026", optionally with a
// time "14:05" or "14:05:30" after a space, as an automation date; nothing
// for any other text or a day the calendar lacks.
std::optional<double> parseDanishDate(std::string_view text);

} // namespace lexi
