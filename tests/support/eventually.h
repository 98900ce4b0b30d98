#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace lexi::testing {

// Asks `condition` again and again until it holds or the time is up; whether
// it held. A condition that holds is not asked again: it may have taken what
// it waited for (a child's end, once reaped, is not found twice).
inline bool eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace lexi::testing
