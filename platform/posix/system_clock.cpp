#include "platform/posix/system_clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace lexi::posix {

LocalDateTime SystemClock::now() {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

void SystemClock::sleepMilliseconds(std::int64_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace lexi::posix
