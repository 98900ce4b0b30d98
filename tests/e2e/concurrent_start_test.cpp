// Many starts of the real lexitray at once in one fresh home, as the
// case-management system and the user's logon cause them.

#include "platform/script/record.h"
#include "tests/support/log_lines.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <memory>

namespace lexi {
namespace {

using Programs = std::vector<std::unique_ptr<testing::RunningProgram>>;

class ConcurrentStart : public ::testing::Test {
protected:
    // Started with no script: every message is answered OK, the tray window
    // waits for a stop. Each start has a transcript of its own.
    std::unique_ptr<testing::RunningProgram> start(const std::vector<std::string>& arguments) {
        const std::map<std::string, std::string> environment{
            {"LEXITRAY_HOME", home.str()},
            {"LEXITRAY_UI", "script"},
            {"LEXITRAY_UI_SCRIPT", "/dev/null"},
            {"LEXITRAY_UI_TRANSCRIPT", transcriptFile(starts_++).string()},
            {"TMPDIR", work.str()}};
        return std::make_unique<testing::RunningProgram>(LEXITRAY_PROGRAM, arguments, environment,
                                                         work.path());
    }

    std::filesystem::path transcriptFile(int start) const {
        return work.path() / ("transcript" + std::to_string(start));
    }

    std::vector<std::string> transcript(int start) const {
        return testing::transcriptEvents(transcriptFile(start));
    }

    testing::TempFolder home;
    testing::TempFolder work;

private:
    int starts_ = 0;
};

TEST_F(ConcurrentStart, RequestsStartedTogetherAllPassTheRightsTest) {
    constexpr int Starts = 40;
    Programs requests;
    for (int i = 0; i < Starts; ++i) {
        requests.push_back(start({"C:\\x.docx", "open"}));
    }
    int refused = 0;
    for (int i = 0; i < Starts; ++i) {
        EXPECT_EQ(requests[i]->wait().exitCode, 0);
        for (const std::string& shown : transcript(i)) {
            refused += shown.starts_with("msgbox:Du har ikke rettigheder") ? 1 : 0;
        }
    }
    EXPECT_EQ(refused, 0);
}

TEST_F(ConcurrentStart, OfSixMonitorsStartedTogetherExactlyOneStays) {
    for (int round = 0; round < 3; ++round) {
        const int first = round * 7; // six monitors and a stop
        Programs monitors;
        for (int i = 0; i < 6; ++i) {
            monitors.push_back(start({}));
        }
        const auto shownTray = [&](int i) {
            return transcript(first + i) ==
                   std::vector<std::string>{"tray:loaded", "tray:shown", "tray:hidden"};
        };
        int stayed = -1;
        ASSERT_TRUE(testing::eventually([&] {
            for (int i = 0; i < 6 && stayed < 0; ++i) {
                stayed = shownTray(i) ? i : -1;
            }
            return stayed >= 0;
        })) << "round "
            << round;
        for (int i = 0; i < 6; ++i) {
            if (i != stayed) {
                EXPECT_EQ(monitors[i]->wait().exitCode, 0) << "round " << round;
                EXPECT_TRUE(transcript(first + i).empty()) << "round " << round;
            }
        }
        EXPECT_EQ(start({"stop"})->wait().exitCode, 0);
        EXPECT_EQ(monitors[stayed]->wait().signal, SIGKILL) << "round " << round;
    }
}

} // namespace
} // namespace lexi
