#include "platform/failure.h"
#include "platform/posix/lexitray_home.h"
#include "platform/posix/posix_processes.h"
#include "tests/support/run_program.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;

TEST(PosixProcesses, FindsAndEndsTheInstancesOfItsOwnHomeOnlyAndStartsWithoutAShell) {
    testing::TempFolder folder;
    // `sleep` under the image name "lexitray", once with our home, once with another.
    const std::string program = folder.str() + "/lexitray", home = folder.str() + "/home";
    fs::create_symlink("/bin/sleep", program);
    testing::RunningProgram mine(program, {"30"}, {{"LEXITRAY_HOME", home}}, folder.path());
    testing::RunningProgram other(program, {"30"}, {{"LEXITRAY_HOME", "/"}}, folder.path());
    DriveTable drives({{'Z', "/"}});
    PosixProcesses processes(drives, home);
    // exec takes a moment to give the child its new image name.
    ASSERT_TRUE(testing::eventually(
        [&] { return !processes.processesByImageName("LEXITRAY.EXE").empty(); }));
    const std::vector<ProcessInfo> found = processes.processesByImageName("LEXITRAY.EXE");
    EXPECT_EQ(std::tuple(found.size(), found[0].id, found[0].imageName),
              std::tuple(1UL, long{mine.id()}, std::string("LEXITRAY.EXE")));
    processes.terminate(found[0].id);
    EXPECT_EQ(mine.wait().signal, SIGKILL);

    // The program is found through the drive table, its arguments are its own
    // and it is waited for within a bound.
    const auto marker = folder.path() / "a b; $(echo x)";
    EXPECT_TRUE(
        processes.start("Z:\\usr\\bin\\touch \"" + marker.string() + "\"", ShowMode::Hidden)
            ->waitForExit(std::chrono::seconds(10)));
    EXPECT_TRUE(fs::exists(marker));
    EXPECT_FALSE(processes.start("Z:\\bin\\sleep 5", ShowMode::Hidden)
                     ->waitForExit(std::chrono::milliseconds(50)));
    EXPECT_THROW(processes.start("Z:\\nowhere\\program.exe", ShowMode::Hidden), Failure);
}

TEST(LexitrayHome, FallsBackFromTheVariableToTheDataFolders) {
    EXPECT_EQ(resolveLexitrayHome("/srv/lx/", "/x", "/home/u"), "/srv/lx");
    EXPECT_EQ(resolveLexitrayHome("", "/home/u/data", "/home/u"), "/home/u/data/lexitray");
    EXPECT_EQ(resolveLexitrayHome("", "", "/home/u"), "/home/u/.local/share/lexitray");
}

} // namespace
} // namespace lexi::posix
