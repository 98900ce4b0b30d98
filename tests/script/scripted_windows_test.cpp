#include "platform/script/scripted_ui.h"

#include <gtest/gtest.h>

namespace lexi::script {
namespace {

using Calls = std::vector<std::string>;

// Models that write down what their windows forward to them.
struct TrayModel : TrayWindowEvents {
    Calls calls;
    std::unique_ptr<TrayWindowView> view;
    void iconMessage(int message) override { calls.push_back("icon " + std::to_string(message)); }
    void menuChosen(TrayMenuItem item) override {
        calls.push_back("menu " + std::to_string(static_cast<int>(item)));
    }
    void windowClicked() override { calls.push_back("click"); }
    void keyPressed(int keyCode) override { calls.push_back("key " + std::to_string(keyCode)); }
    void minimised() override { calls.push_back("minimised"); }
};

struct SettingsModel : SettingsWindowEvents {
    Calls calls;
    std::unique_ptr<SettingsWindowView> view;
    void folderEdited(const std::string& folder) override { calls.push_back("folder " + folder); }
    void mailHistoryTicked(bool ticked) override {
        calls.push_back(ticked ? "ticked" : "unticked");
    }
    void okClicked() override {
        calls.push_back("OK");
        view.reset();
    }
    void closeClicked() override {
        calls.push_back("close");
        view.reset();
    }
};

const TrayWindowContent Tray{"Lexitray 4",
                             "4.13.041",
                             "Drev: C:\\",
                             "",
                             "Lexitray",
                             "&Systray",
                             {{TrayMenuItem::About, "&Om"}, {TrayMenuItem::Exit, "&Afslut"}}};

class ScriptedWindowsTest : public ::testing::Test {
protected:
    // The UI lives in the fixture, declared before the models, so that the
    // windows the models hold close before it goes.
    ScriptedUi& ui(std::string_view script) {
        ui_ = std::make_unique<ScriptedUi>(
            script, [this](const Record& record) { records.push_back(record); },
            [this] { ++idled; });
        return *ui_;
    }

    std::vector<Record> records;
    int idled = 0;
    std::unique_ptr<ScriptedUi> ui_;
    TrayModel tray;
    SettingsModel settings;
};

TEST_F(ScriptedWindowsTest, TrayCommandsReachTheModelAndTheRestWaits) {
    auto& scripted = ui("tray icon 514\ntray icon 517\ntray menu &Afslut\ntray menu Afslut\n"
                        "tray click\ntray key 27\ntray minimise\ntray icon x\n");
    tray.view = scripted.openTrayWindow(Tray, tray);
    scripted.runEventLoop();
    EXPECT_EQ(tray.calls,
              (Calls{"icon 514", "icon 517", "menu 2", "click", "key 27", "minimised"}));
    EXPECT_EQ(idled, 1);
}

TEST_F(ScriptedWindowsTest, SettingsCommandsReachTheModelWithBackslashesKept) {
    auto& scripted = ui("settings fldLokaldrev C:\\\\Sager\\\\ny mappe\\\\\n"
                        "settings CheckMailHistorik 0\nsettings CheckMailHistorik 1\n"
                        "settings fldLokaldrev\nsettings OK\nsettings OK\n");
    settings.view = scripted.openSettingsWindow({}, settings);
    scripted.runEventLoop();
    EXPECT_EQ(settings.calls,
              (Calls{"folder C:\\Sager\\ny mappe\\", "unticked", "ticked", "folder ", "OK"}));
    EXPECT_EQ(idled, 0);
}

TEST_F(ScriptedWindowsTest, ASettingsWindowWithNoAnswerLeftIsClosedLikeWithItsCloseBox) {
    auto& scripted = ui("");
    settings.view = scripted.openSettingsWindow({}, settings);
    scripted.runEventLoop();
    EXPECT_EQ(settings.calls, Calls{"close"});
    EXPECT_EQ(records.back().toLine(), "settings\tevent=closed");
}

TEST_F(ScriptedWindowsTest, AnswersForWindowsNotLoadedArePassedOver) {
    auto& scripted = ui("msgbox No\nsettings OK\ntray icon 514\n");
    tray.view = scripted.openTrayWindow(Tray, tray);
    scripted.runEventLoop();
    EXPECT_EQ(tray.calls, Calls{"icon 514"});
}

TEST_F(ScriptedWindowsTest, QuittingEndsTheLoopWithWindowsLoaded) {
    auto& scripted = ui("tray click\ntray click\n");
    tray.view = scripted.openTrayWindow(Tray, tray);
    scripted.quitEventLoop();
    scripted.runEventLoop();
    EXPECT_TRUE(tray.calls.empty());
    EXPECT_EQ(idled, 0);
}

TEST_F(ScriptedWindowsTest, WithoutWindowsTheLoopReturnsAtOnce) {
    auto& scripted = ui("tray click\n");
    scripted.runEventLoop();
    EXPECT_EQ(idled, 0);
    EXPECT_TRUE(records.empty());
}

} // namespace
} // namespace lexi::script
