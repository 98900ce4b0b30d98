#pragma once

#include "platform/failure.h"

namespace lexi::testing {

// The number of the Failure a step throws; 0 when it throws none.
template <typename Step> int failureNumber(Step step) {
    try {
        step();
    } catch (const Failure& failed) {
        return failed.number();
    }
    return 0;
}

} // namespace lexi::testing
