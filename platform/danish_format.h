#pragma once

#include "platform/clock.h"

#include <string>

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

} // namespace lexi::danish
