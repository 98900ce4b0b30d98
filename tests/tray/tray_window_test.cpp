#include "platform/fake/manual_clock.h"
#include "tests/support/recording_ui.h"
#include "tray/tray_window.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

using Events = std::vector<std::string>;

class TrayWindowTest : public ::testing::Test {
protected:
    TrayWindowTest() {
        state.exchangeFolder = "C:\\Sager\\";
        window.load();
        ui.records.clear();
    }

    // The "event" fields of the tray records since the last look.
    Events events() {
        Events seen;
        for (const auto& record : ui.records) {
            if (record.kind == "tray") {
                seen.push_back(record.field("event"));
            }
        }
        ui.records.clear();
        return seen;
    }

    testing::RecordingUi ui;
    ProgramState state;
    int settingsShown = 0;
    int exits = 0;
    TrayWindow window{ui,
                      state,
                      {[this] { ++settingsShown; },
                       [this] {
                           ++exits;
                       }}};
};

TEST_F(TrayWindowTest, LoadingFillsTheLabelsAndTheIconTip) {
    window.unload();
    ui.records.clear();
    window.load();
    window.show();
    ASSERT_EQ(ui.records.size(), 2U);
    EXPECT_EQ(ui.records[0].toLine(), "tray\tevent=loaded\ttip=Lexitray");
    const auto& shown = ui.records[1];
    EXPECT_EQ(shown.field("Label1"), "Lexitray 4");
    EXPECT_EQ(shown.field("Label3"), "4.13.041");
    EXPECT_EQ(shown.field("lbllokaldrev"), "Drev: C:\\Sager\\");
    EXPECT_EQ(shown.field("tooltip"), "Drev: C:\\Sager\\");
    EXPECT_NE(shown.field("Label4").find("Højreklik"), std::string::npos);
}

struct IconCase {
    int message;
    Events seen;
};

TEST_F(TrayWindowTest, IconMessagesShowTheWindowOrTheMenu) {
    const std::vector<IconCase> cases = {
        {iconmsg::LeftButtonUp, {"restored", "foreground", "shown"}},
        {iconmsg::LeftButtonDoubleClick, {"restored", "foreground", "shown"}},
        {iconmsg::RightButtonUp, {"foreground", "menu"}},
        {512, {}},
        {513, {}},
        {516, {}},
        {iconmsg::MiddleButtonUp, {}},
    };
    for (const auto& c : cases) {
        window.iconMessage(c.message);
        EXPECT_EQ(events(), c.seen) << c.message;
    }
    EXPECT_EQ(settingsShown + exits, 0);
}

TEST_F(TrayWindowTest, TheMenuOffersItsThreeItemsInOrder) {
    window.iconMessage(iconmsg::RightButtonUp);
    EXPECT_EQ(ui.records.back().toLine(),
              "tray\tevent=menu\tcaption=&Systray\titems=&Om|&Indstillinger|&Afslut");
}

TEST_F(TrayWindowTest, WhileTheMergeDialogIsOpenTheIconOnlyFocusesIt) {
    int focused = 0;
    state.mergeDialogOpen = true;
    state.focusMergeDialog = [&] {
        ++focused;
    };
    for (const int message :
         {iconmsg::LeftButtonUp, iconmsg::LeftButtonDoubleClick, iconmsg::RightButtonUp, 512}) {
        window.iconMessage(message);
    }
    EXPECT_EQ(focused, 4);
    EXPECT_EQ(events(), Events{});
}

struct MenuCase {
    TrayMenuItem item;
    Events seen;
    int settingsShown;
    int exits;
    bool loadedAfter;
};

TEST_F(TrayWindowTest, MenuItems) {
    const std::vector<MenuCase> cases = {
        {TrayMenuItem::About, {"restored", "foreground", "shown"}, 0, 0, true},
        {TrayMenuItem::Settings, {"restored", "foreground"}, 1, 0, true},
        {TrayMenuItem::Exit, {"unloaded"}, 1, 1, false},
    };
    for (const auto& c : cases) {
        window.menuChosen(c.item);
        EXPECT_EQ(events(), c.seen);
        EXPECT_EQ(settingsShown, c.settingsShown);
        EXPECT_EQ(exits, c.exits);
        EXPECT_EQ(window.isLoaded(), c.loadedAfter);
    }
}

TEST_F(TrayWindowTest, ClicksEnterEscapeAndMinimisingHideItButKeepTheIcon) {
    const std::vector<std::pair<const char*, std::function<void()>>> hiders = {
        {"click",
         [&] {
             window.windowClicked();
         }},
        {"Enter",
         [&] {
             window.keyPressed(keycode::Enter);
         }},
        {"Escape",
         [&] {
             window.keyPressed(keycode::Escape);
         }},
        {"minimise",
         [&] {
             window.minimised();
         }},
    };
    for (const auto& [name, hide] : hiders) {
        window.menuChosen(TrayMenuItem::About);
        events();
        hide();
        EXPECT_EQ(events(), Events{"hidden"}) << name;
        EXPECT_TRUE(window.isLoaded()) << name;
    }
    window.keyPressed('a');
    EXPECT_EQ(events(), Events{});
}

TEST_F(TrayWindowTest, TheFolderLabelKeepsTheFolderItWasLoadedWith) {
    state.exchangeFolder = "D:\\Ny\\";
    window.menuChosen(TrayMenuItem::About);
    EXPECT_EQ(ui.records.back().field("lbllokaldrev"), "Drev: C:\\Sager\\");
}

TEST_F(TrayWindowTest, ShowingForAMomentBlocksWithTheWindowShown) {
    fake::ManualClock clock;
    window.showFor(clock, 1000);
    EXPECT_EQ(clock.sleptMilliseconds(), 1000);
    EXPECT_EQ(events(), Events{"shown"});
}

} // namespace
} // namespace lexi
