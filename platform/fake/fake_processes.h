#pragma once

#include "platform/processes.h"

#include <string>
#include <vector>

namespace lexi::fake {

// Processes for tests: a list of running processes to be found, and a record
// of what was terminated and started.
class FakeProcesses final : public Processes {
public:
    std::string logonName() override { return logon; }
    long currentProcessId() override { return self; }
    std::vector<ProcessInfo> processesByImageName(std::string_view imageName) override;
    void terminate(long processId) override;
    void start(std::string_view commandLine, ShowMode mode) override;

    std::string logon = "tester";
    long self = 100;
    std::vector<ProcessInfo> running;
    std::vector<long> terminated;
    std::vector<std::pair<std::string, ShowMode>> started;
};

} // namespace lexi::fake
