#pragma once

#include "platform/posix/drive_table.h"
#include "platform/processes.h"

namespace lexi::posix {

// Processes of the host, found through /proc. The instances of a program are
// the processes of the same user with that image name that run with the same
// LEXITRAY_HOME: programs installed for different homes (as the tests run
// them) are different workstations and never see each other.
class PosixProcesses final : public Processes {
public:
    PosixProcesses(const DriveTable& drives, std::string home);

    std::string logonName() override;
    long currentProcessId() override;
    std::vector<ProcessInfo> processesByImageName(std::string_view imageName) override;
    void terminate(long processId) override;
    // The started program is reaped when it ends, waited for or not.
    std::unique_ptr<StartedProcess> start(std::string_view commandLine, ShowMode mode) override;
    // Locks are advisory locks on files "<name>.lock" in the home.
    std::unique_ptr<ProcessLock> tryLock(std::string_view name) override;
    std::unique_ptr<ProcessLock> lock(std::string_view name) override;

private:
    std::unique_ptr<ProcessLock> takeLock(std::string_view name, bool wait);

    const DriveTable& drives_;
    std::string home_;
    // Read once: the run log asks for it on every line.
    std::string logonName_;
};

} // namespace lexi::posix
