#pragma once

#include "platform/processes.h"

namespace lexi::win32 {

// The processes of the user's Windows session. The instances of a program
// are found in a Toolhelp snapshot by image name, in this session only; named
// locks are mutexes of the session, which Windows lets go of when their
// holder ends.
class Win32Processes final : public Processes {
public:
    std::string logonName() override;
    long currentProcessId() override;
    std::vector<ProcessInfo> processesByImageName(std::string_view imageName) override;
    // The process ends with exit code 0, as the management query's Terminate
    // without a reason ends it.
    void terminate(long processId) override;
    // CreateProcessW with the command line as given; a hidden console
    // program gets no console window.
    std::unique_ptr<StartedProcess> start(std::string_view commandLine, ShowMode mode) override;
    std::unique_ptr<ProcessLock> tryLock(std::string_view name) override;
    std::unique_ptr<ProcessLock> lock(std::string_view name) override;

private:
    std::unique_ptr<ProcessLock> takeLock(std::string_view name, unsigned long waitMilliseconds);

    // Read once: the run log asks for it on every line.
    std::string logonName_;
};

} // namespace lexi::win32
