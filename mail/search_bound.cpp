#include "mail/search_bound.h"

#include "platform/danish_format.h"

#include <cstdio>

namespace lexi {

std::string searchBoundFilter(const LocalDateTime& now) {
    LocalDateTime day = now;
    std::string time;
    if (now.minute >= 15) {
        char hour[8];
        std::snprintf(hour, sizeof hour, "%02d", now.hour);
        time = std::string(hour) + ":" + std::to_string(now.minute - 15);
    } else if (now.hour >= 1) {
        time = std::to_string(now.hour - 1) + ":" + std::to_string(now.minute + 45);
    } else {
        day = addSeconds(now, -24 * 3600);
        time = "23:" + std::to_string(now.minute + 45);
    }
    return "[SentOn] > '" + danish::shortDate(day) + " " + time + "'";
}

} // namespace lexi
