// Runs the real lexitray in a fresh home with the scripted UI, for what only
// a whole run shows: a mail sent through the server and filed, the choice of
// UI, the Qt monitor without a notification area.

#include "platform/cp1252.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "tests/mailstore/smtp_sink.h"
#include "tests/support/stand_in.h"

#include <gmock/gmock.h>
#include <pwd.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using Environment = std::map<std::string, std::string>;
using ::testing::HasSubstr;

const std::string DocumentId = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";

// A case on drive C: with the save path C:\Sager\Hansen\Svar.msg and the document ID.
class LexitrayE2E : public ::testing::Test {
protected:
    LexitrayE2E() {
        fs::create_directories(drive() / "Sager" / "Hansen");
        std::ofstream(drive() / "tmp.txt")
            << "C:\\Sager\r\nHansen\r\n2026-0042\r\nC:\\Sager\\Hansen\\Svar.msg\r\n\r\n\r\n"
            << DocumentId << "\r\n";
    }

    fs::path drive() const { return home.path() / "drive_c"; }

    // The environment of a run answering from this script; `changes` on top
    // (an empty value removes the variable).
    Environment environment(const std::string& script, Environment changes = {}) {
        const fs::path scriptFile = work.path() / ("script" + std::to_string(++scripts_));
        std::ofstream(scriptFile) << script;
        changes.merge(Environment{{"LEXITRAY_HOME", home.str()},
                                  {"LEXITRAY_UI", "script"},
                                  {"LEXITRAY_UI_SCRIPT", scriptFile.string()},
                                  {"TMPDIR", work.str()}});
        return changes;
    }

    testing::ProgramRun run(const std::vector<std::string>& arguments, const std::string& script,
                            const Environment& changes = {}) {
        return testing::runProgram(LEXITRAY_PROGRAM, arguments, environment(script, changes),
                                   work.path());
    }

    // The run log on drive C:, read from the code page.
    std::string log() const {
        return cp1252::toUtf8(testing::readHostFile(
            drive() / ("Lexitray_" + std::string(::getpwuid(::getuid())->pw_name) + ".log")));
    }

    testing::TempFolder home;
    testing::TempFolder work;
    int scripts_ = 0;
};

TEST_F(LexitrayE2E, ASentMailIsFiledInTheCaseAndReported) {
    const testing::SmtpSink sink(work.path());
    ASSERT_TRUE(sink.started()) << "smtp_sink.py needs Debian's python3-aiosmtpd";
    mailstore::Account account;
    account.address = "jens@advokat.dk";
    account.smtpUrl = sink.url();
    mailstore::SqliteMailStorage(home.str() + "/mailstore.db").setAccount(account);
    std::ofstream(drive() / "finmail.txt") << "klient@hansen.dk\r\n[subject]=Svar\r\n";
    ASSERT_EQ(run({"mail"}, "mail body Kære Hansen\\r\\n\nmail send\n").exitCode, 0);
    EXPECT_EQ(testing::readHostFile(drive() / ("Mail_" + DocumentId + ".txt")),
              DocumentId + "\r\n1\r\n");
    EXPECT_TRUE(fs::exists(work.path() / "1" / "message-id")) << "the server got it";
}

TEST_F(LexitrayE2E, TheUiFollowsTheDisplayAndARequestThatShowsNothingLoadsNoQt) {
    std::ofstream(drive() / "brev.docx") << "brev";
    testing::writeStandIn(work.path() / "xdg-open", work.path() / "opened");
    const std::string usage = "style=64\ttext=Lexitray er blevet kaldt med forkert syntaks.";
    // Arguments, LEXITRAY_UI, DISPLAY, what standard error holds. Without a reachable display
    // or a choice, messages go there; Qt would end the program at once for want of ":4711".
    const std::tuple<std::vector<std::string>, std::string, std::string, std::string> cases[] = {
        {{"brev.docx"}, "", "", usage},
        {{"brev.docx"}, "", ":4711", usage},
        {{"C:\\brev.docx", "open"}, "qt", ":4711", ""},
    };
    for (const auto& [arguments, ui, display, error] : cases) {
        Environment changes = testing::desktopOpeningDocx(work.path() / "desktop");
        changes.merge(Environment{{"PATH", testing::pathWith(work.path())},
                                  {"LEXITRAY_UI", ui},
                                  {"QT_QPA_PLATFORM", "xcb"},
                                  {"DISPLAY", display},
                                  {"WAYLAND_DISPLAY", ""}});
        const auto result = run(arguments, "", changes);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_THAT(result.standardError, HasSubstr(error)) << display;
        EXPECT_EQ(result.standardError.empty(), error.empty()) << result.standardError;
    }
    EXPECT_EQ(testing::standInCalls(work.path() / "opened").size(), 2U);
}

TEST_F(LexitrayE2E, WithoutANotificationAreaTheQtMonitorRunsAndSaysSo) {
    testing::RunningProgram monitor(
        LEXITRAY_PROGRAM, {},
        environment("", {{"LEXITRAY_UI", "qt"}, {"QT_QPA_PLATFORM", "offscreen"}}), work.path());
    EXPECT_TRUE(testing::eventually([&] { return log().ends_with("\tSlut\r\n"); }));
    EXPECT_NE(log().find("\tIkonet kunne ikke vises, da skrivebordet ikke har noget systemtray"),
              std::string::npos);
    run({"stop"}, "");
    EXPECT_EQ(monitor.wait().signal, SIGKILL);
}

} // namespace
} // namespace lexi
