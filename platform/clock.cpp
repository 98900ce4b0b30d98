#include "platform/clock.h"

#include <chrono>
#include <cmath>

namespace lexi {
namespace {

std::chrono::sys_seconds asSeconds(const LocalDateTime& when) {
    using namespace std::chrono;
    const sys_days day{year{when.year} / when.month / when.day};
    return sys_seconds{day} + hours{when.hour} + minutes{when.minute} + seconds{when.second};
}

} // namespace

LocalDateTime addSeconds(const LocalDateTime& when, std::int64_t seconds) {
    using namespace std::chrono;
    const sys_seconds total = asSeconds(when) + std::chrono::seconds{seconds};
    const sys_days day = floor<days>(total);
    const year_month_day date{day};
    const hh_mm_ss time{total - day};
    return {int(date.year()),          int(unsigned(date.month())), int(unsigned(date.day())),
            int(time.hours().count()), int(time.minutes().count()), int(time.seconds().count())};
}

std::int64_t secondsBetween(const LocalDateTime& from, const LocalDateTime& to) {
    return (asSeconds(to) - asSeconds(from)).count();
}

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
