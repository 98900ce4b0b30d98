#include "platform/fake/failing_file_system.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "program/run_log.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace lexi
