#include "platform/failure.h"
#include "platform/posix/lexitray_home.h"
#include "platform/posix/posix_processes.h"
#include "tests/support/temp_folder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;

// Starts `sleep` under the image name "lexitray" with the given home.
pid_t startImpostor(const fs::path& folder, const std::string& home) {
    const fs::path program = folder / "lexitray";
    if (!fs::exists(program)) {
        fs::create_symlink("/bin/sleep", program);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("LEXITRAY_HOME", home.c_str(), 1);
        ::execl(program.c_str(), "lexitray", "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

bool waitUntilGone(pid_t child) {
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFSIGNALED(status);
}

TEST(PosixProcesses, FindsAndEndsTheInstancesOfItsOwnHomeOnly) {
    testing::TempFolder folder;
    const std::string home = folder.str() + "/home";
    const pid_t mine = startImpostor(folder.path(), home);
    const pid_t other = startImpostor(folder.path(), folder.str() + "/other");
    ASSERT_GT(mine, 0);
    ASSERT_GT(other, 0);
    DriveTable drives({{'Z', "/"}});
    PosixProcesses processes(drives, home);

    // exec takes a moment to give the child its new image name.
    std::vector<ProcessInfo> found;
    for (int attempt = 0; attempt < 200 && found.empty(); ++attempt) {
        found = processes.processesByImageName("LEXITRAY.EXE");
        ::usleep(10'000);
    }
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].id, mine);
    EXPECT_EQ(found[0].imageName, "LEXITRAY.EXE");

    processes.terminate(found[0].id);
    EXPECT_TRUE(waitUntilGone(mine));
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
}

TEST(PosixProcesses, StartsCommandLinesWithoutAShell) {
    testing::TempFolder folder;
    const fs::path marker = folder.path() / "a b; $(echo x)";
    DriveTable drives({{'Z', "/"}});
    PosixProcesses processes(drives, folder.str());
    // The program is found through the drive table; its arguments are its own.
    processes.start("Z:\\usr\\bin\\touch \"" + marker.string() + "\"", ShowMode::Hidden);
    for (int attempt = 0; attempt < 200 && !fs::exists(marker); ++attempt) {
        ::usleep(10'000);
    }
    EXPECT_TRUE(fs::exists(marker));
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    EXPECT_THROW(processes.start("Z:\\nowhere\\program.exe", ShowMode::Hidden), Failure);
}

TEST(LexitrayHome, FallsBackFromTheVariableToTheDataFolders) {
    EXPECT_EQ(resolveLexitrayHome("/srv/lx/", "/x", "/home/u"), "/srv/lx");
    EXPECT_EQ(resolveLexitrayHome("", "/home/u/data", "/home/u"), "/home/u/data/lexitray");
    EXPECT_EQ(resolveLexitrayHome("", "", "/home/u"), "/home/u/.local/share/lexitray");
}

} // namespace
} // namespace lexi::posix
