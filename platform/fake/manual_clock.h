#pragma once

#include "platform/clock.h"

namespace lexi::fake {

// A clock for tests: it shows the time it is set to, and a sleep moves it on
// by the slept time instead of waiting.
class ManualClock final : public Clock {
public:
    explicit ManualClock(LocalDateTime start = {2026, 1, 2, 9, 30, 0}) : now_(start) {}

    LocalDateTime now() override { return now_; }
    void sleepMilliseconds(std::int64_t milliseconds) override;

    void set(LocalDateTime when) { now_ = when; }
    void advanceSeconds(std::int64_t seconds);
    // Everything slept so far, in milliseconds.
    std::int64_t sleptMilliseconds() const { return slept_; }

private:
    LocalDateTime now_;
    std::int64_t slept_ = 0;
    std::int64_t pendingMilliseconds_ = 0;
};

} // namespace lexi::fake
