#pragma once

#include "platform/clock.h"

namespace lexi {

// An automation date (days since 30 December 1899, the time of day as the
// fraction, which counts forward from midnight also before 1900) as the
// local date and time it stands for, to the second.
LocalDateTime localDateOf(double automationDate);

// The automation date of a local date and time.
double automationDateOf(const LocalDateTime& when);

} // namespace lexi
