#pragma once

#include "platform/processes.h"

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace lexi::fake {

// Processes for tests: a list of running processes to be found, the locks
// other processes hold, and a record of what was terminated and started and
// which locks this process holds. Waiting for a started program runs
// `waitForExit`, which stands for the program's work and answers whether it
// ended in time.
class FakeProcesses final : public Processes {
public:
    std::string logonName() override { return logon; }
    long currentProcessId() override { return self; }
    std::vector<ProcessInfo> processesByImageName(std::string_view imageName) override;
    void terminate(long processId) override;
    std::unique_ptr<StartedProcess> start(std::string_view commandLine, ShowMode mode) override;
    std::unique_ptr<ProcessLock> tryLock(std::string_view name) override;
    // The fake cannot wait: a lock held elsewhere fails.
    std::unique_ptr<ProcessLock> lock(std::string_view name) override;

    std::string logon = "tester";
    long self = 100;
    std::vector<ProcessInfo> running;
    std::vector<long> terminated;
    std::vector<std::pair<std::string, ShowMode>> started;
    std::function<bool(std::chrono::milliseconds limit)> waitForExit = [](auto) {
        return true;
    };
    std::set<std::string> heldElsewhere;
    std::set<std::string> held;
    // Called with the lock's name each time a lock held elsewhere is refused
    // (a test's stand-in for what the holder does meanwhile).
    std::function<void(const std::string&)> onRefused;
};

} // namespace lexi::fake
