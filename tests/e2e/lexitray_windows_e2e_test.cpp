// Runs the real lexitray in the modes that keep windows: the notification
// area (monitor), the settings window, the start picture of the mail modes.

#include "platform/cp1252.h"
#include "platform/script/scripted_ui.h"
#include "tests/support/run_program.h"
#include "tests/support/running_program.h"
#include "tests/support/stand_in.h"
#include "tests/support/temp_folder.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using Environment = std::map<std::string, std::string>;
using Events = std::vector<std::string>;

class LexitrayWindowsE2E : public ::testing::Test {
protected:
    Environment environment(const std::string& script = {}) const {
        const fs::path scriptFile = work.path() / ("script" + std::to_string(++scripts_));
        std::ofstream(scriptFile) << script;
        return {{"LEXITRAY_HOME", home.str()},
                {"LEXITRAY_UI", "script"},
                {"LEXITRAY_UI_SCRIPT", scriptFile.string()},
                {"LEXITRAY_UI_TRANSCRIPT", (work.path() / "transcript.txt").string()},
                {"TMPDIR", work.str()}};
    }
    testing::ProgramRun run(const std::vector<std::string>& arguments,
                            const Environment& with) const {
        return testing::runProgram(LEXITRAY_PROGRAM, arguments, with, work.path());
    }
    std::unique_ptr<testing::RunningProgram> start(const Environment& with) const {
        return std::make_unique<testing::RunningProgram>(
            LEXITRAY_PROGRAM, std::vector<std::string>{}, with, work.path());
    }

    // "kind:event" of the window records in the transcript.
    Events windowEvents() const {
        Events seen;
        std::ifstream file(work.path() / "transcript.txt");
        for (std::string line; std::getline(file, line);) {
            const auto record = script::Record::fromLine(line);
            if (record.kind != "msgbox") {
                seen.push_back(record.kind + ":" + record.field("event"));
            }
        }
        return seen;
    }
    std::string log(const fs::path& folder) const {
        return cp1252::toUtf8(testing::readHostFile(
            folder / ("Lexitray_" + std::string(::getpwuid(::getuid())->pw_name) + ".log")));
    }
    bool logHas(const std::string& text) const {
        return log(home.path() / "drive_c").find(text) != std::string::npos;
    }

    testing::TempFolder home;
    testing::TempFolder work;
    mutable int scripts_ = 0;
};

TEST_F(LexitrayWindowsE2E, TheMonitorStaysAloneUntilStopped) {
    const auto first = start(environment());
    ASSERT_TRUE(testing::eventually([&] { return windowEvents().size() == 3; }));
    EXPECT_EQ(windowEvents(), (Events{"tray:loaded", "tray:shown", "tray:hidden"}));
    EXPECT_TRUE(logHas("\tSlut\r\n"));

    const auto second = run({}, environment());
    EXPECT_EQ(second.exitCode, 0) << second.standardError;
    EXPECT_EQ(windowEvents().size(), 3U);

    const auto stop = run({"stop"}, environment());
    EXPECT_EQ(stop.signal, SIGKILL);
    EXPECT_EQ(first->wait().signal, SIGKILL);
}

TEST_F(LexitrayWindowsE2E, AfslutFromTheMenuEndsTheMonitor) {
    const auto result = run({}, environment("tray icon 517\ntray menu &Afslut\n"));
    EXPECT_EQ(result.exitCode, 0) << result.standardError;
    EXPECT_EQ(windowEvents(), (Events{"tray:loaded", "tray:shown", "tray:hidden", "tray:foreground",
                                      "tray:menu", "tray:unloaded"}));
}

TEST_F(LexitrayWindowsE2E, SetupLivesUntilItsWindowClosesAndOkGivesTheNextRunItsFolder) {
    fs::create_directories(home.path() / "drive_c" / "Ny");
    const auto setup = run({"setup"}, environment("settings fldLokaldrev C:\\\\ny\\\\\n"
                                                  "settings OK\n"));
    EXPECT_EQ(setup.exitCode, 0) << setup.standardError;
    EXPECT_EQ(windowEvents(), (Events{"settings:shown", "settings:closed"}));
    ASSERT_EQ(run({"brev.docx", "open"}, environment()).exitCode, 0);
    EXPECT_NE(log(home.path() / "drive_c" / "Ny").find("\tcmdline er ->brev.docx open<-\r\n"),
              std::string::npos);
}

TEST_F(LexitrayWindowsE2E, AMailRequestShowsTheStartPictureBeforeTheMail) {
    EXPECT_EQ(run({"mail"}, environment()).exitCode, 0);
    const Events events = windowEvents();
    ASSERT_GE(events.size(), 4U);
    EXPECT_EQ(Events(events.begin(), events.begin() + 4),
              (Events{"tray:loaded", "tray:shown", "tray:unloaded", "mail:shown"}));
}

// The Qt UI on a desktop without a notification area.
TEST_F(LexitrayWindowsE2E, WithoutANotificationAreaTheMonitorRunsAndSaysSo) {
    Environment qt = environment();
    qt["LEXITRAY_UI"] = "qt";
    qt["QT_QPA_PLATFORM"] = "offscreen";
    const auto monitor = start(qt);
    EXPECT_TRUE(testing::eventually([&] { return logHas("\tSlut\r\n"); }));
    EXPECT_TRUE(logHas("\tIkonet kunne ikke vises, da skrivebordet ikke har noget systemtray\r\n"));
    run({"stop"}, environment());
    EXPECT_EQ(monitor->wait().signal, SIGKILL);
}

TEST_F(LexitrayWindowsE2E, ARequestThatShowsNothingLoadsNoQt) {
    Environment qt = environment();
    qt["LEXITRAY_UI"] = "qt";
    // Qt would end the program at once for want of this display.
    qt["QT_QPA_PLATFORM"] = "xcb";
    qt["DISPLAY"] = ":4711";
    // A document the desktop's opener (a stand-in) takes without a word.
    fs::create_directories(home.path() / "drive_c");
    std::ofstream(home.path() / "drive_c" / "brev.docx") << "brev";
    testing::writeStandIn(work.path() / "xdg-open", work.path() / "opened");
    qt["PATH"] = testing::pathWith(work.path());
    qt.merge(testing::desktopOpeningDocx(work.path() / "desktop"));
    const auto result = run({"C:\\brev.docx", "open"}, qt);
    EXPECT_EQ(result.exitCode, 0) << result.standardError;
    EXPECT_EQ(result.standardError, "");
}

} // namespace
} // namespace lexi
