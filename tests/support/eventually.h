#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace lexi::testing {

// Asks `condition` again and again until it holds or the time is up; whether
// it held.
inline bool eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition() && std::chrono::steady_clock::now() <= end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

} // namespace lexi::testing
