// Runs the real lexitray program in a fresh home and checks what it leaves.

#include "platform/cp1252.h"
#include "platform/script/scripted_ui.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"
#include "tests/support/transcript.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;

std::string logonName() {
    return ::getpwuid(::getuid())->pw_name;
}

class LexitrayE2E : public ::testing::Test {
protected:
    testing::ProgramRun run(const std::vector<std::string>& arguments,
                            std::map<std::string, std::string> environment = {}) {
        environment.try_emplace("LEXITRAY_HOME", home.str());
        environment.try_emplace("LEXITRAY_UI", "script");
        environment.try_emplace("LEXITRAY_UI_TRANSCRIPT", transcriptFile().string());
        environment.try_emplace("TMPDIR", work.str());
        return testing::runProgram(LEXITRAY_PROGRAM, arguments, environment, work.path());
    }

    fs::path transcriptFile() const { return work.path() / "transcript.txt"; }

    std::vector<script::Record> transcript() const {
        return testing::readTranscript(transcriptFile());
    }

    std::string log(const fs::path& folder) const {
        return cp1252::toUtf8(testing::readHostFile(folder / ("Lexitray_" + logonName() + ".log")));
    }

    testing::TempFolder home;
    testing::TempFolder work;
};

TEST_F(LexitrayE2E, ARequestLogsItsStartOnDriveC) {
    const auto result = run({"stop-not", "x"});
    EXPECT_EQ(result.exitCode, 0) << result.standardError;
    const std::string written = log(home.path() / "drive_c");
    EXPECT_NE(written.find("\tcmdline er ->stop-not x<-\r\n"), std::string::npos);
    EXPECT_NE(written.find("\tVersion 4.13.041\r\n"), std::string::npos);
    EXPECT_TRUE(written.ends_with("\tSlut\r\n"));
}

TEST_F(LexitrayE2E, TheLocalFolderGivenWithDrevIsUsedByTheNextRun) {
    fs::create_directories(home.path() / "drive_c" / "NAV" / "Udveksling");
    // "drev=" goes on into the notification area; the script ends it there.
    const fs::path script = work.path() / "script.txt";
    std::ofstream(script) << "tray menu &Afslut\n";
    ASSERT_EQ(
        run({"drev=C:\\nav\\udveksling\\"}, {{"LEXITRAY_UI_SCRIPT", script.string()}}).exitCode, 0);
    ASSERT_EQ(run({"mail"}).exitCode, 0);
    const std::string written = log(home.path() / "drive_c" / "NAV" / "Udveksling");
    EXPECT_NE(written.find("\tcmdline er ->mail<-\r\n"), std::string::npos);
    EXPECT_NE(written.find("\tSender mail\r\n"), std::string::npos);
}

TEST_F(LexitrayE2E, AnUnwritableStoreEndsWithTheRightsMessage) {
    std::ofstream(home.path() / "blocked") << "a file where the home should be";
    const auto result = run({"mail"}, {{"LEXITRAY_HOME", (home.path() / "blocked").string()}});
    EXPECT_EQ(result.exitCode, 0);
    const auto records = transcript();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().field("text"), "ERROR: Unauthorized attempt to write in registry!");
    EXPECT_NE(records.back().field("text").find("Skrive i RegDB: False\r\nSkrive i VB området: "
                                                "False\r\nSlette i RegDB: False\r\nSlette i VB "
                                                "området: False\r\n"),
              std::string::npos);
    EXPECT_TRUE(log(work.path()).ends_with("\tSlut\r\n"));
}

TEST_F(LexitrayE2E, WithoutADisplayOrAChoiceMessagesGoToStandardError) {
    const auto result = run({"brev.docx"}, {{"LEXITRAY_UI", ""},
                                            {"LEXITRAY_UI_TRANSCRIPT", ""},
                                            {"DISPLAY", ""},
                                            {"WAYLAND_DISPLAY", ""}});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.standardError.find("msgbox\ttitle=Lexitray\tstyle=64\ttext=Lexitray er blevet "
                                        "kaldt med forkert syntaks."),
              std::string::npos)
        << result.standardError;
}

TEST_F(LexitrayE2E, ADisplayThatCannotBeReachedCountsAsNone) {
    const auto result = run({"brev.docx"}, {{"LEXITRAY_UI", ""},
                                            {"LEXITRAY_UI_TRANSCRIPT", ""},
                                            {"DISPLAY", ":4711"},
                                            {"WAYLAND_DISPLAY", ""}});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.standardError.find("msgbox\ttitle=Lexitray\tstyle=64"), std::string::npos)
        << result.standardError;
}

TEST_F(LexitrayE2E, StopEndsTheRunningInstances) {
    // A stand-in instance: a long sleep under the program's image name.
    const fs::path impostor = work.path() / "lexitray";
    fs::create_symlink("/bin/sleep", impostor);
    const pid_t running = ::fork();
    if (running == 0) {
        ::setenv("LEXITRAY_HOME", home.str().c_str(), 1);
        ::execl(impostor.c_str(), "lexitray", "60", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (testing::readHostFile("/proc/" + std::to_string(running) + "/comm") == "lexitray\n") {
            break;
        }
        ::usleep(10'000);
    }
    const auto result = run({"STOP"});
    // The stopping process is an instance too and ends in its turn.
    EXPECT_EQ(result.signal, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(running, &status, 0), running);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    const std::string written = log(home.path() / "drive_c");
    EXPECT_NE(written.find("\tStopper alle instanser af Lexitray - og loggen lukkes hermed\r\n"),
              std::string::npos);
    EXPECT_FALSE(written.ends_with("\tSlut\r\n"));
}

} // namespace
} // namespace lexi
