#include "library/automation_date.h"

#include <cmath>

namespace lexi {

LocalDateTime localDateOf(double automationDate) {
    const double days = std::trunc(automationDate);
    const double fraction = std::fabs(automationDate - days);
    return addSeconds(LocalDateTime{},
                      static_cast<std::int64_t>(days) * 86400 + std::llround(fraction * 86400.0));
}

double automationDateOf(const LocalDateTime& when) {
    LocalDateTime midnight = when;
    midnight.hour = midnight.minute = midnight.second = 0;
    const double days = static_cast<double>(secondsBetween(LocalDateTime{}, midnight) / 86400);
    const double fraction = (when.hour * 3600 + when.minute * 60 + when.second) / 86400.0;
    return days < 0 ? days - fraction : days + fraction;
}

} // namespace lexi
