#include "platform/fake/manual_clock.h"

namespace lexi::fake {

void ManualClock::sleepMilliseconds(std::int64_t milliseconds) {
    slept_ += milliseconds;
    pendingMilliseconds_ += milliseconds;
    advanceSeconds(pendingMilliseconds_ / 1000);
    pendingMilliseconds_ %= 1000;
}

void ManualClock::advanceSeconds(std::int64_t seconds) {
    now_ = addSeconds(now_, seconds);
}

} // namespace lexi::fake
