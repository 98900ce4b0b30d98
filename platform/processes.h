#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lexi {

// How a started program's window is shown.
enum class ShowMode {
    Hidden = 0,
    Normal = 1,
    Minimized = 2,
    Maximized = 3,
    MinimizedNoActivate = 7
};

struct ProcessInfo {
    long id = 0;
    std::string imageName; // "lexitray.exe"
};

// A lock that the program's processes take by name, held until the object
// goes. The system lets go of it when its process ends, however it ends, so a
// killed holder never blocks the next one.
class ProcessLock {
public:
    virtual ~ProcessLock() = default;
};

// A program that start() started. Letting go of it leaves the program
// running.
class StartedProcess {
public:
    virtual ~StartedProcess() = default;

    // Waits at most `limit` for the program to end; whether it has ended.
    virtual bool waitForExit(std::chrono::milliseconds limit) = 0;
};

// Processes of the workstation. Calls throw lexi::Failure when the system
// refuses them: a logon name that cannot be read, a process that cannot be
// ended, a program that cannot be started.
class Processes {
public:
    virtual ~Processes() = default;

    // The logon name of the user running this process, as the system gives it.
    virtual std::string logonName() = 0;

    // This process's identifier.
    virtual long currentProcessId() = 0;

    // The running processes with that image name ("lexitray.exe", compared
    // without regard to letter case), in the order the system lists them.
    virtual std::vector<ProcessInfo> processesByImageName(std::string_view imageName) = 0;

    // Ends a process at once, and returns once it has ended. Throws
    // lexi::Failure when it cannot.
    virtual void terminate(long processId) = 0;

    // Starts a command line ("C:\Programmer\x.exe" -a "b c", split by the
    // workstation's quoting rules, never through a command shell) without
    // waiting for it; the caller may wait for it through the result. Throws
    // lexi::Failure (53) when the program is missing.
    virtual std::unique_ptr<StartedProcess> start(std::string_view commandLine, ShowMode mode) = 0;

    // Takes the named lock of the program's processes: null when another
    // process holds it. Throws lexi::Failure when the lock cannot be made.
    virtual std::unique_ptr<ProcessLock> tryLock(std::string_view name) = 0;

    // Takes the named lock, waiting while another process holds it. Throws
    // lexi::Failure when the lock cannot be made.
    virtual std::unique_ptr<ProcessLock> lock(std::string_view name) = 0;
};

} // namespace lexi
