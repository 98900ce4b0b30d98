#include "platform/fake/failing_file_system.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/posix/posix_filesystem.h"
#include "program/run_log.h"
#include "tests/support/child_processes.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace lexi {
namespace {

class RunLogTest : public ::testing::Test {
protected:
    RunLogTest() {
        files.makeFolders("C:\\Sager");
        log.setFolder("C:\\Sager\\");
    }

    std::string logFile(const std::string& name = "Lexitray_tester.log") {
        return files.readFile("C:\\Sager\\" + name);
    }

    fake::MemoryFileSystem files;
    fake::FailingFileSystem failing{files};
    fake::FakeProcesses processes;
    fake::ManualClock clock{{2026, 12, 6, 14, 5, 9}};
    RunLog log{failing, processes, clock};
};

TEST_F(RunLogTest, WritesDateTabTextAndCrLfInTheCodePageToEachUsersFileAndNeverFails) {
    // Above two million bytes the file starts afresh; a line that cannot be
    // written is lost without a word.
    files.putFile("C:\\Sager\\Lexitray_tester.log", std::string(2'000'000, 'x'));
    log.WriteLog("kept");
    EXPECT_EQ(files.fileSize("C:\\Sager\\Lexitray_tester.log"), 2'000'000 + 26);
    failing.failChange(1);
    log.WriteLog("lost");
    log.WriteLog("Ølands sag");
    clock.set({2026, 12, 7, 0, 0, 0});
    log.WriteLog("\r\n");
    log.WriteLog("første\r\nanden");
    processes.logon = std::string("mette\0ignored", 13);
    log.WriteLog("mette");
    EXPECT_EQ(logFile(), "06-12-2026 14:05:09\t\xD8lands sag\r\n"
                         "07-12-2026\t\r\n\r\n07-12-2026\tf\xF8rste\r\nanden\r\n");
    // The file name is glued to the folder text; no folder is the working folder.
    log.setFolder("C:\\Sager");
    log.WriteLog("x");
    EXPECT_TRUE(files.exists("C:\\SagerLexitray_mette.log"));
    files.setCurrentFolder("C:\\Sager");
    log.setFolder("");
    log.WriteLog("Slut");
    EXPECT_EQ(logFile("Lexitray_mette.log"), "07-12-2026\tmette\r\n07-12-2026\tSlut\r\n");
    for (const char* folder : {"C:\\Mangler\\", "Q:\\"}) {
        log.setFolder(folder);
        log.WriteLog("lost");
    }
}

// On the disk: the processes share the file only there.
TEST_F(RunLogTest, ManyProcessesLoggingAtOnceLoseNoLine) {
    testing::TempFolder root;
    posix::PosixFileSystem disk{posix::DriveTable({{'C', root.str()}})};
    RunLog shared{disk, processes, clock};
    shared.setFolder("C:\\");
    testing::runInChildren(8, [&](int writer) {
        for (int i = 0; i < 250; ++i) {
            shared.WriteLog(std::to_string(writer) + " " + std::to_string(i));
        }
        return 0;
    });
    // Each process's lines come whole and in their order.
    std::vector<int> seen(8, 0);
    std::istringstream all(testing::readHostFile(root.path() / "Lexitray_tester.log"));
    for (std::string line; std::getline(all, line);) {
        int w = -1, n = -1;
        ASSERT_EQ(std::sscanf(line.c_str(), "06-12-2026 14:05:09\t%d %d\r", &w, &n), 2) << line;
        ASSERT_EQ(n, seen.at(w)++) << line;
    }
    EXPECT_EQ(seen, std::vector<int>(8, 250));
}

} // namespace
} // namespace lexi
