#pragma once

#include <functional>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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
        int status = 0;
        const bool exited = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status);
        codes.push_back(exited ? WEXITSTATUS(status) : -1);
    }
    return codes;
}

} // namespace lexi::testing
