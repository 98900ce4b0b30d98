#include "platform/fake/manual_clock.h"

#include <chrono>

namespace lexi::fake {

void ManualClock::sleepMilliseconds(std::int64_t milliseconds) {
    slept_ += milliseconds;
    pendingMilliseconds_ += milliseconds;
    advanceSeconds(pendingMilliseconds_ / 1000);
    pendingMilliseconds_ %= 1000;
}

void ManualClock::advanceSeconds(std::int64_t seconds) {
    using namespace std::chrono;
    const sys_days day{year{now_.year} / now_.month / now_.day};
    const auto total = sys_seconds{day} + hours{now_.hour} + minutes{now_.minute} +
                       std::chrono::seconds{now_.second} + std::chrono::seconds{seconds};
    const auto newDay = floor<days>(total);
    const year_month_day date{newDay};
    const hh_mm_ss time{total - newDay};
    now_ = {int(date.year()),          int(unsigned(date.month())), int(unsigned(date.day())),
            int(time.hours().count()), int(time.minutes().count()), int(time.seconds().count())};
}

} // namespace lexi::fake
