#pragma once

#include "apps/lexitray/lazy_outlook.h"
#include "apps/lexitray/lazy_word.h"
#include "platform/platform.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/not_installed.h"
#include "platform/posix/posix_filesystem.h"
#include "platform/posix/posix_printers.h"
#include "platform/posix/posix_processes.h"
#include "platform/posix/posix_shell.h"
#include "platform/posix/sqlite_registry.h"
#include "platform/posix/system_clock.h"
#include "platform/registry_settings.h"

#include <functional>
#include <memory>

namespace lexi {

// What becomes of the program when the desktop's windows are wanted and
// cannot be loaded, once the run log has been told: the call that wanted them
// fails (a library in its host), or the program ends with a failure.
enum class WithoutDesktopUi { CallFails, ProgramEnds };

// The services of a Linux workstation, for the program to run on.
class LinuxPlatform {
public:
    // `windows` searches the desktop's windows; a program that never does
    // keeps the default, which finds none.
    explicit LinuxPlatform(
        std::unique_ptr<WindowSearch> windows = std::make_unique<posix::NoWindows>(),
        WithoutDesktopUi withoutDesktopUi = WithoutDesktopUi::CallFails);
    Platform& platform() { return platform_; }
    const posix::DriveTable& drives() const { return files_.drives(); }

    // Where the services write what they have to say beyond their answers
    // (the run log, once the program has one).
    void setNotes(std::function<void(const std::string&)> notes) { notes_ = std::move(notes); }

private:
    void passNote(const std::string& note) const;

    std::string home_;
    posix::SqliteRegistry registry_;
    RegistrySettings settings_;
    posix::PosixFileSystem files_;
    posix::PosixProcesses processes_;
    std::function<void(const std::string&)> notes_;
    posix::PosixPrinters printers_;
    posix::PosixShell shell_;
    std::unique_ptr<Ui> ui_;
    posix::SystemClock clock_;
    LazyOutlook outlook_;
    LazyWord word_;
    std::unique_ptr<WindowSearch> windows_;
    Platform platform_;
};

} // namespace lexi
