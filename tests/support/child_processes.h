#pragma once

#include "tests/support/run_program.h"

namespace lexi::testing {

// Runs job(0) .. job(count - 1), each in a forked process of its own, and
// waits for them all: their exit codes, -1 for one that did not exit.
inline std::vector<int> runInChildren(int count, const std::function<int(int)>& job) {
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::_exit(job(i));
        }
        children.push_back(child);
    }
    std::vector<int> codes;
    for (const pid_t child : children) {
        codes.push_back(waitFor(child).exitCode);
    }
    return codes;
}

} // namespace lexi::testing
