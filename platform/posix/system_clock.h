#pragma once

#include "platform/clock.h"

namespace lexi::posix {

// The host's clock in its local time zone.
class SystemClock final : public Clock {
public:
    LocalDateTime now() override;
    void sleepMilliseconds(std::int64_t milliseconds) override;
};

} // namespace lexi::posix
