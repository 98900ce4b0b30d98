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

TEST_F(TrayWindowTest, LoadingFillsTheLabelsWithTheFolderItWasLoadedWith) {
    window.unload();
    ui.records.clear();
    window.load();
    state.exchangeFolder = "D:\\Ny\\";
    window.show();
    ASSERT_EQ(ui.records.size(), 2U);
    EXPECT_EQ(ui.records[0].toLine(), "tray\tevent=loaded\ttip=Lexitray");
    const auto& shown = ui.records[1];
    EXPECT_EQ(shown.field("Label1") + "|" + shown.field("Label3") + "|" +
                  shown.field("lbllokaldrev") + "|" + shown.field("tooltip"),
              "Lexitray 4|4.13.041|Drev: C:\\Sager\\|Drev: C:\\Sager\\");
    EXPECT_NE(shown.field("Label4").find("Højreklik"), std::string::npos);
}

TEST_F(TrayWindowTest, IconMessagesShowTheWindowOrTheMenu) {
    const std::pair<int, Events> cases[] = {
        {iconmsg::LeftButtonUp, {"restored", "foreground", "shown"}},
        {iconmsg::LeftButtonDoubleClick, {"restored", "foreground", "shown"}},
        {iconmsg::RightButtonUp, {"foreground", "menu"}},
        {512, {}},
        {513, {}},
        {516, {}},
        {iconmsg::MiddleButtonUp, {}},
    };
    for (const auto& [message, seen] : cases) {
        window.iconMessage(message);
        if (message == iconmsg::RightButtonUp) {
            EXPECT_EQ(ui.records.back().toLine(),
                      "tray\tevent=menu\tcaption=&Systray\titems=&Om|&Indstillinger|&Afslut");
        }
        EXPECT_EQ(events(), seen) << message;
    }
    EXPECT_EQ(settingsShown + exits, 0);
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

TEST_F(TrayWindowTest, MenuItems) {
    const struct {
        TrayMenuItem item;
        Events seen;
        int settingsShown, exits;
        bool loadedAfter;
    } cases[] = {
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
    for (int hider = 0; hider < 4; ++hider) {
        window.menuChosen(TrayMenuItem::About);
        events();
        hider == 0   ? window.windowClicked()
        : hider == 1 ? window.keyPressed(keycode::Enter)
        : hider == 2 ? window.keyPressed(keycode::Escape)
                     : window.minimised();
        EXPECT_EQ(events(), Events{"hidden"}) << hider;
        EXPECT_TRUE(window.isLoaded()) << hider;
    }
    window.keyPressed('a');
    EXPECT_EQ(events(), Events{});
}

} // namespace
} // namespace lexi
