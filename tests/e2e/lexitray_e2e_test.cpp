// Runs the real lexitray in a fresh home with the scripted UI, for what only
// a whole run shows: a mail sent and filed, the reopened mail, the log file,
// the choice of UI, the single instance and stop.

#include "platform/cp1252.h"
#include "platform/posix/msgfile/message_file.h"
#include "platform/script/scripted_ui.h"
#include "tests/support/run_program.h"
#include "tests/support/stand_in.h"

#include <csignal>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using Environment = std::map<std::string, std::string>;
using Lines = std::vector<std::string>;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string DocumentId = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";

// A case on drive C: with the save path C:\Sager\Hansen\Svar.msg and the document ID.
class LexitrayE2E : public ::testing::Test {
protected:
    LexitrayE2E() {
        fs::create_directories(drive() / "Sager" / "Hansen");
        exchangeFile("tmp.txt", "C:\\Sager\r\nHansen\r\n2026-0042\r\nC:\\Sager\\Hansen\\Svar.msg"
                                "\r\n\r\n\r\n" +
                                    DocumentId + "\r\n");
    }

    fs::path drive() const { return home.path() / "drive_c"; }
    fs::path savedFile() const { return drive() / "Sager" / "Hansen" / "Svar.msg"; }
    fs::path transcriptFile() const { return work.path() / "transcript.txt"; }

    void exchangeFile(const std::string& name, const std::string& utf8) {
        std::ofstream(drive() / name, std::ios::binary) << cp1252::fromUtf8(utf8);
    }

    // The environment of a run answering from this script; `changes` on top
    // (an empty value removes the variable).
    Environment environment(const std::string& script, Environment changes = {}) {
        const fs::path scriptFile = work.path() / ("script" + std::to_string(++scripts_));
        std::ofstream(scriptFile) << script;
        changes.merge(Environment{{"LEXITRAY_HOME", home.str()},
                                  {"LEXITRAY_UI", "script"},
                                  {"LEXITRAY_UI_SCRIPT", scriptFile.string()},
                                  {"LEXITRAY_UI_TRANSCRIPT", transcriptFile().string()},
                                  {"TMPDIR", work.str()}});
        return changes;
    }

    testing::ProgramRun run(const std::vector<std::string>& arguments, const std::string& script,
                            const Environment& changes = {}) {
        return testing::runProgram(LEXITRAY_PROGRAM, arguments, environment(script, changes),
                                   work.path());
    }

    // "kind:event" of the window records, or "msgbox:<text>".
    Lines transcript() const {
        Lines seen;
        std::ifstream in(transcriptFile());
        for (std::string line; std::getline(in, line);) {
            const auto record = script::Record::fromLine(line);
            seen.push_back(record.kind + ":" +
                           record.field(record.kind == "msgbox" ? "text" : "event"));
        }
        return seen;
    }

    // The run log in the folder, read from the code page.
    std::string log(const fs::path& folder) const {
        return cp1252::toUtf8(testing::readHostFile(
            folder / ("Lexitray_" + std::string(::getpwuid(::getuid())->pw_name) + ".log")));
    }

    std::string callback() const {
        return testing::readHostFile(drive() / ("Mail_" + DocumentId + ".txt"));
    }

    testing::TempFolder home;
    testing::TempFolder work;
    int scripts_ = 0;
};

TEST_F(LexitrayE2E, ASentMailIsFiledInTheCaseAndReported) {
    exchangeFile("finmail.txt", "klient@hansen.dk\r\n[subject]=Svar – Ærø\r\n");
    const auto result = run({"mail"}, "mail body Kære Hansen\\r\\n\nmail send\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const msgfile::Message mail = msgfile::readMessageFile(savedFile().string());
    EXPECT_EQ(mail.subject + "|" + mail.recipients.at(0).address, "Svar – Ærø|klient@hansen.dk");
    EXPECT_NE(mail.sentOn, msgfile::NoDate);
    EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
    const Lines seen = transcript();
    EXPECT_EQ(Lines(seen.begin(), seen.begin() + std::min<std::size_t>(4, seen.size())),
              (Lines{"tray:loaded", "tray:shown", "tray:unloaded", "mail:shown"}))
        << "the start picture comes before the mail";
    // The log lies on drive C:, in the code page with CR LF.
    const std::string written = log(drive());
    EXPECT_NE(written.find("\tcmdline er ->mail<-\r\n"), std::string::npos);
    EXPECT_NE(written.find("\tFandt mail efter 1 forsøg.\r\n"), std::string::npos);
    EXPECT_TRUE(written.ends_with("\tSlut\r\n"));
}

TEST_F(LexitrayE2E, AMailClosedUnsentIsSavedAndWhenReopenedAndAnsweredNoLeftAlone) {
    ASSERT_EQ(run({"mail"}, "mail subject Udkast\nmail close\n").exitCode, 0);
    EXPECT_EQ(msgfile::readMessageFile(savedFile().string()).subject, "Udkast");
    const std::string before = testing::readHostFile(savedFile());
    fs::remove(transcriptFile());
    testing::writeStandIn(work.path() / "xdg-open", work.path() / "opened");
    const auto result = run({"C:\\Sager\\Hansen\\Svar.msg", "open", DocumentId},
                            "mail subject Rettet\nmail close\nmsgbox No\n",
                            {{"PATH", testing::pathWith(work.path())}});
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    EXPECT_EQ(testing::readHostFile(savedFile()), before);
    EXPECT_EQ(callback(), DocumentId + "\r\n0\r\n");
    EXPECT_EQ(transcript(), (Lines{"mail:shown", "msgbox:Gem ændringerne? ", "mail:closed"}));
    EXPECT_TRUE(testing::standInCalls(work.path() / "opened").empty()) << "the shell is not asked";
}

TEST_F(LexitrayE2E, AnUnwritableStoreEndsWithTheRightsMessage) {
    std::ofstream(home.path() / "blocked") << "a file where the home should be";
    const auto result = run({"mail"}, "", {{"LEXITRAY_HOME", (home.path() / "blocked").string()}});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(transcript(),
                ElementsAre("msgbox:ERROR: Unauthorized attempt to write in registry!",
                            HasSubstr("Skrive i RegDB: False\r\n")));
    EXPECT_TRUE(log(work.path()).ends_with("\tSlut\r\n"));
}

TEST_F(LexitrayE2E, WithoutAReachableDisplayOrAChoiceMessagesGoToStandardError) {
    for (const char* display : {"", ":4711"}) {
        const auto result = run({"brev.docx"}, "",
                                {{"LEXITRAY_UI", ""},
                                 {"LEXITRAY_UI_TRANSCRIPT", ""},
                                 {"DISPLAY", display},
                                 {"WAYLAND_DISPLAY", ""}});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_NE(result.standardError.find("msgbox\ttitle=Lexitray\tstyle=64\ttext=Lexitray er "
                                            "blevet kaldt med forkert syntaks."),
                  std::string::npos)
            << display << ": " << result.standardError;
    }
}

TEST_F(LexitrayE2E, ARequestThatShowsNothingLoadsNoQt) {
    std::ofstream(drive() / "brev.docx") << "brev";
    testing::writeStandIn(work.path() / "xdg-open", work.path() / "opened");
    // Qt would end the program at once for want of this display.
    Environment qt = {{"LEXITRAY_UI", "qt"},
                      {"QT_QPA_PLATFORM", "xcb"},
                      {"DISPLAY", ":4711"},
                      {"PATH", testing::pathWith(work.path())}};
    qt.merge(testing::desktopOpeningDocx(work.path() / "desktop"));
    const auto result = run({"C:\\brev.docx", "open"}, "", qt);
    EXPECT_EQ(result.exitCode, 0) << result.standardError;
    EXPECT_EQ(result.standardError, "");
    EXPECT_EQ(testing::standInCalls(work.path() / "opened").size(), 2U);
}

TEST_F(LexitrayE2E, TheMonitorEndsFromItsMenuStaysAloneAndStops) {
    EXPECT_EQ(run({}, "tray icon 517\ntray menu &Afslut\n").exitCode, 0);
    EXPECT_EQ(transcript(), (Lines{"tray:loaded", "tray:shown", "tray:hidden", "tray:foreground",
                                   "tray:menu", "tray:unloaded"}));
    fs::remove(transcriptFile());
    testing::RunningProgram first(LEXITRAY_PROGRAM, {}, environment(""), work.path());
    ASSERT_TRUE(testing::eventually([&] { return transcript().size() == 3; }));
    EXPECT_EQ(transcript(), (Lines{"tray:loaded", "tray:shown", "tray:hidden"}));
    EXPECT_EQ(run({}, "").exitCode, 0);
    EXPECT_EQ(transcript().size(), 3U) << "a second monitor shows nothing";
    // The stopping process is an instance too and ends in its turn.
    EXPECT_EQ(run({"STOP"}, "").signal, SIGKILL);
    EXPECT_EQ(first.wait().signal, SIGKILL);
    EXPECT_TRUE(log(drive()).ends_with(
        "\tStopper alle instanser af Lexitray - og loggen lukkes hermed\r\n"));
}

TEST_F(LexitrayE2E, WithoutANotificationAreaTheQtMonitorRunsAndSaysSo) {
    testing::RunningProgram monitor(
        LEXITRAY_PROGRAM, {},
        environment("", {{"LEXITRAY_UI", "qt"}, {"QT_QPA_PLATFORM", "offscreen"}}), work.path());
    EXPECT_TRUE(testing::eventually([&] { return log(drive()).ends_with("\tSlut\r\n"); }));
    EXPECT_THAT(
        log(drive()),
        HasSubstr("\tIkonet kunne ikke vises, da skrivebordet ikke har noget systemtray\r\n"));
    run({"stop"}, "");
    EXPECT_EQ(monitor.wait().signal, SIGKILL);
}

} // namespace
} // namespace lexi
