#pragma once

#include "platform/clock.h"

namespace lexi::win32 {

// The workstation's local time and Sleep.
class Win32Clock final : public Clock {
public:
    LocalDateTime now() override;
    void sleepMilliseconds(std::int64_t milliseconds) override;
};

} // namespace lexi::win32
