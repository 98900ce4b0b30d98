#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/posix/not_installed.h"
#include "platform/posix/posix_filesystem.h"
#include "platform/posix/sqlite_registry.h"
#include "platform/registry_settings.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"
#include "tray/startup.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

namespace lexi {
namespace {

// A registry file of garbage is reported as damaged, once, and not as missing
// rights; the program ends.
TEST(DamagedRegistry, StartUpSaysTheStoreIsDamagedAndEnds) {
    testing::TempFolder root;
    std::ofstream(root.path() / "registry.db") << std::string(4096, '\x5A');
    posix::SqliteRegistry registry((root.path() / "registry.db").string());
    RegistrySettings settings{registry};
    posix::PosixFileSystem files{posix::DriveTable({{'C', root.str()}})};
    fake::FakeProcesses processes;
    posix::NoShell shell;
    testing::RecordingUi ui;
    fake::ManualClock clock;
    posix::NoOutlook outlook;
    posix::NoWord word;
    posix::NoWindows windows;
    Platform platform{registry, settings, files,   processes, shell,
                      ui,       clock,    outlook, word,      windows};
    ProgramState state;
    RunLog log{files, processes, clock};
    Startup(platform, state, log).Main();

    std::string shownPath = "Z:" + root.str() + "\\registry.db";
    std::replace(shownPath.begin(), shownPath.end(), '/', '\\');
    EXPECT_EQ(ui.messages(),
              std::vector<std::string>{"REGISTRY ERROR|16|ERROR: The registry store is damaged: " +
                                       shownPath});
    EXPECT_TRUE(state.exchangeFolder.empty());
}

} // namespace
} // namespace lexi
