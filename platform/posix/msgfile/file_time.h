#pragma once

#include "platform/posix/msgfile/message.h"

#include <cstdint>

// PT_SYSTIME values: a Windows FILETIME, 100-ns ticks since 1601-01-01 UTC.
namespace lexi::msgfile {

// From 1601-01-01 to 1970-01-01, the epoch of Time.
inline constexpr std::uint64_t TicksFrom1601To1970 = 116'444'736'000'000'000;
// The largest FILETIME; writers store it, like 0, for "no time".
inline constexpr std::uint64_t LargestFileTime = 0x7FFF'FFFF'FFFF'FFFF;

// Unsigned arithmetic: any stored value gives a time, none overflows.
constexpr Time timeFromFileTime(std::uint64_t fileTime) {
    if (fileTime == 0 || fileTime >= LargestFileTime) {
        return NoDate;
    }
    return Time{Ticks{static_cast<std::int64_t>(fileTime - TicksFrom1601To1970)}};
}

constexpr std::uint64_t fileTimeFromTime(Time time) {
    return static_cast<std::uint64_t>(time.time_since_epoch().count()) + TicksFrom1601To1970;
}

} // namespace lexi::msgfile
