#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/posix/posix_filesystem.h"
#include "program/run_log.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lexi {
namespace {

class RunLogTest : public ::testing::Test {
protected:
    RunLogTest() {
        files.makeFolders("C:\\Sager");
        processes.logon = "jens";
        log.setFolder("C:\\Sager\\");
    }

    std::string logFile(const std::string& name = "Lexitray_jens.log") {
        return files.exists("C:\\Sager\\" + name) ? files.readFile("C:\\Sager\\" + name) : "";
    }

    fake::MemoryFileSystem files;
    fake::FakeProcesses processes;
    fake::ManualClock clock{{2026, 12, 6, 14, 5, 9}};
    RunLog log{files, processes, clock};
};

TEST_F(RunLogTest, WritesDateTabTextAndCrLfInTheCodePageToEachUsersFile) {
    log.WriteLog("Åbner dokumentet: C:\\Sager\\brev.docx  med kommandoen open");
    clock.set({2026, 12, 7, 0, 0, 0});
    log.WriteLog("\r\n");
    log.WriteLog("første\r\nanden");
    processes.logon = std::string("mette\0ignored", 13);
    log.WriteLog("mette");
    EXPECT_EQ(logFile(), "06-12-2026 14:05:09\t\xC5"
                         "bner dokumentet: C:\\Sager\\brev.docx  med kommandoen open\r\n"
                         "07-12-2026\t\r\n\r\n"
                         "07-12-2026\tf\xF8rste\r\nanden\r\n");
    EXPECT_EQ(logFile("Lexitray_mette.log"), "07-12-2026\tmette\r\n");
}

TEST_F(RunLogTest, GluesTheFileNameToTheFolderTextOrUsesTheWorkingFolder) {
    log.setFolder("C:\\Sager");
    log.WriteLog("x");
    EXPECT_TRUE(files.exists("C:\\SagerLexitray_jens.log"));
    files.setCurrentFolder("C:\\Sager");
    log.setFolder("");
    log.WriteLog("Slut");
    EXPECT_EQ(logFile(), "06-12-2026 14:05:09\tSlut\r\n");
}

TEST_F(RunLogTest, StartsAfreshAboveTwoMillionBytes) {
    files.putFile("C:\\Sager\\Lexitray_jens.log", std::string(2'000'000, 'x'));
    log.WriteLog("kept");
    EXPECT_EQ(files.fileSize("C:\\Sager\\Lexitray_jens.log"), 2'000'000 + 26);
    log.WriteLog("fresh");
    EXPECT_EQ(logFile(), "06-12-2026 14:05:09\tfresh\r\n");
}

TEST_F(RunLogTest, LosesTheLineSilentlyWhenItCannotBeWritten) {
    for (const char* folder : {"C:\\Mangler\\", "Q:\\"}) {
        log.setFolder(folder);
        EXPECT_NO_THROW(log.WriteLog("lost"));
    }
    log.setFolder("C:\\Sager\\");
    files.failChange(1, 70);
    EXPECT_NO_THROW(log.WriteLog("lost"));
    EXPECT_EQ(logFile(), "");
}

// On the disk: the processes share the file only there.
TEST(RunLogOnDisk, ManyProcessesLoggingAtOnceLoseNoLine) {
    constexpr int Writers = 8;
    constexpr int LinesEach = 250;
    testing::TempFolder root;
    posix::PosixFileSystem files{posix::DriveTable({{'C', root.str()}})};
    fake::FakeProcesses processes;
    processes.logon = "jens";
    fake::ManualClock clock{{2026, 12, 6, 14, 5, 9}};
    RunLog log{files, processes, clock};
    log.setFolder("C:\\");
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0; i < LinesEach; ++i) {
                log.WriteLog("writer " + std::to_string(w) + " line " + std::to_string(i));
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        ::waitpid(child, nullptr, 0);
    }
    const std::string all = testing::readHostFile(root.path() / "Lexitray_jens.log");
    std::vector<int> seen(Writers, 0);
    for (std::size_t start = 0, end; start < all.size(); start = end + 2) {
        end = all.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = all.substr(start, end - start);
        int writer = -1;
        int number = -1;
        ASSERT_EQ(
            std::sscanf(line.c_str(), "06-12-2026 14:05:09\twriter %d line %d", &writer, &number),
            2)
            << line;
        ASSERT_EQ(number, seen.at(writer)++) << "lines of one process out of order";
    }
    EXPECT_EQ(seen, std::vector<int>(Writers, LinesEach));
}

} // namespace
} // namespace lexi
