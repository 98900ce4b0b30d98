#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/posix/posix_filesystem.h"
#include "program/run_log.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;

class RunLogTest : public ::testing::Test {
protected:
    RunLogTest() {
        fs::create_directories(root.path() / "c" / "Sager");
        processes.logon = "jens";
        log.setFolder("C:\\Sager\\");
    }

    std::string logFile(const std::string& name = "Lexitray_jens.log") {
        return testing::readHostFile(root.path() / "c" / "Sager" / name);
    }

    testing::TempFolder root;
    posix::PosixFileSystem files{posix::DriveTable({{'C', root.str() + "/c"}, {'Z', "/"}})};
    fake::FakeProcesses processes;
    fake::ManualClock clock{{2026, 12, 6, 14, 5, 9}};
    RunLog log{files, processes, clock};
};

TEST_F(RunLogTest, WritesDateTabTextAndCrLfInTheCodePage) {
    log.WriteLog("Åbner dokumentet: C:\\Sager\\brev.docx  med kommandoen open");
    clock.set({2026, 12, 7, 0, 0, 0});
    log.WriteLog("\r\n");
    EXPECT_EQ(logFile(), "06-12-2026 14:05:09\t\xC5"
                         "bner dokumentet: C:\\Sager\\brev.docx  med "
                         "kommandoen open\r\n"
                         "07-12-2026\t\r\n\r\n");
}

TEST_F(RunLogTest, KeepsEmbeddedLineBreaks) {
    log.WriteLog("første\r\nanden");
    EXPECT_EQ(logFile(), "06-12-2026 14:05:09\tf\xF8rste\r\nanden\r\n");
}

TEST_F(RunLogTest, GluesTheFileNameToTheFolderText) {
    log.setFolder("C:\\Sager");
    log.WriteLog("x");
    EXPECT_TRUE(fs::exists(root.path() / "c" / "SagerLexitray_jens.log"));
}

TEST_F(RunLogTest, UsesTheWorkingFolderWhileTheFolderIsUnknown) {
    const fs::path previous = fs::current_path();
    fs::current_path(root.path() / "c" / "Sager");
    log.setFolder("");
    log.WriteLog("Slut");
    fs::current_path(previous);
    EXPECT_EQ(logFile(), "06-12-2026 14:05:09\tSlut\r\n");
}

TEST_F(RunLogTest, EachUserHasAFile) {
    log.WriteLog("jens");
    processes.logon = std::string("mette\0ignored", 13);
    log.WriteLog("mette");
    EXPECT_NE(logFile().find("jens"), std::string::npos);
    EXPECT_NE(logFile("Lexitray_mette.log").find("mette"), std::string::npos);
}

TEST_F(RunLogTest, StartsAfreshAboveTwoMillionBytes) {
    const fs::path file = root.path() / "c" / "Sager" / "Lexitray_jens.log";
    std::ofstream(file, std::ios::binary) << std::string(2'000'000, 'x');
    log.WriteLog("kept");
    EXPECT_EQ(fs::file_size(file), 2'000'000U + 26U);
    log.WriteLog("fresh");
    EXPECT_EQ(logFile(), "06-12-2026 14:05:09\tfresh\r\n");
}

TEST_F(RunLogTest, LosesTheLineSilentlyWhenTheFolderIsMissing) {
    log.setFolder("C:\\Mangler\\");
    EXPECT_NO_THROW(log.WriteLog("lost"));
    log.setFolder("Q:\\");
    EXPECT_NO_THROW(log.WriteLog("lost"));
}

TEST_F(RunLogTest, ManyProcessesLoggingAtOnceLoseNoLine) {
    constexpr int Writers = 8;
    constexpr int LinesEach = 250;
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
    const std::string all = logFile();
    std::vector<int> seen(Writers, 0);
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t end = all.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = all.substr(start, end - start);
        int writer = -1;
        int number = -1;
        ASSERT_EQ(
            std::sscanf(line.c_str(), "06-12-2026 14:05:09\twriter %d line %d", &writer, &number),
            2)
            << line;
        ASSERT_EQ(number, seen.at(writer)++) << "lines of one process out of order";
        start = end + 2;
    }
    EXPECT_EQ(seen, std::vector<int>(Writers, LinesEach));
}

} // namespace
} // namespace lexi
