#pragma once

#include "platform/clock.h"

#include <string>

namespace lexi {

// The Restrict filter for mail sent in the last 15 minutes before `now`:
// "[SentOn] > 'dd-mm-yyyy h:m'", the hour and minutes written as the case
// mail has always written them (10:05 gives "9:50", 10:17 gives "10:2").
std::string searchBoundFilter(const LocalDateTime& now);

} // namespace lexi
