#pragma once

#include <compare>
#include <cstdint>

namespace lexi {

// A local date and time to the second, as the workstation's clock shows it.
struct LocalDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    auto operator<=>(const LocalDateTime&) const = default;

    bool isMidnight() const { return hour == 0 && minute == 0 && second == 0; }
};

// The time so many seconds later (earlier for a negative number).
LocalDateTime addSeconds(const LocalDateTime& when, std::int64_t seconds);

// The seconds from one time to another, as the calendar counts them.
std::int64_t secondsBetween(const LocalDateTime& from, const LocalDateTime& to);

// An automation date (days since 30 December 1899, the time of day as the
// fraction, which counts forward from midnight also before 1900) as the
// local date and time it stands for, to the second.
LocalDateTime localDateOf(double automationDate);

// The automation date of a local date and time.
double automationDateOf(const LocalDateTime& when);

// The clock: local time, and blocking waits. Neither call fails.
class Clock {
public:
    virtual ~Clock() = default;

    virtual LocalDateTime now() = 0;

    // Blocks the calling thread; window messages do not run meanwhile.
    virtual void sleepMilliseconds(std::int64_t milliseconds) = 0;
};

} // namespace lexi
