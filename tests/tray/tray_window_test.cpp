#include "tests/support/recording_ui.h"
#include "tray/tray_window.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

class TrayWindowTest : public ::testing::Test {
protected:
    TrayWindowTest() {
        state.exchangeFolder = "C:\\Sager\\";
        window.load();
        EXPECT_EQ(ui.records.back().toLine(), "tray\tevent=loaded\ttip=Lexitray");
        ui.records.clear();
    }

    testing::RecordingUi ui;
    ProgramState state;
    std::string done; // the actions asked for
    std::function<void()> note(const char* action) {
        return [this, action] {
            done += action;
        };
    }
    TrayWindow window{ui, state, {note("settings "), note("exit ")}};
};

TEST_F(TrayWindowTest, IconMessagesShowTheWindowOrTheMenuUnlessTheMergeDialogIsOpen) {
    // Left up, left double click, right up; move, left down, right down, middle up.
    const int messages[] = {514, 515, 517, 512, 513, 516, 520};
    std::string seen;
    for (const int message : messages) {
        window.iconMessage(message);
        seen += std::to_string(message) + ":" + ui.takeEvents() + "\n";
    }
    EXPECT_EQ(seen, "514:tray:restored tray:foreground tray:shown\n"
                    "515:tray:restored tray:foreground tray:shown\n"
                    "517:tray:foreground tray:menu\n512:\n513:\n516:\n520:\n");
    window.iconMessage(iconmsg::RightButtonUp);
    EXPECT_EQ(ui.records.back().toLine(),
              "tray\tevent=menu\tcaption=&Systray\titems=&Om|&Indstillinger|&Afslut");
    // While the merge dialog is open the icon only focuses it.
    state.mergeDialogOpen = true;
    state.focusMergeDialog = note("focus ");
    ui.records.clear();
    for (const int message : messages) {
        window.iconMessage(message);
    }
    EXPECT_EQ(ui.takeEvents() + done, "focus focus focus focus focus focus focus ");
}

TEST_F(TrayWindowTest, MenuItemsAndWhatHidesTheWindowShowingTheFolderItWasLoadedWith) {
    const std::pair<TrayMenuItem, std::string> cases[] = {
        {TrayMenuItem::About, "tray:restored tray:foreground tray:shown|"},
        {TrayMenuItem::Settings, "tray:restored tray:foreground|settings "},
        {TrayMenuItem::Exit, "tray:unloaded|settings exit "},
    };
    state.exchangeFolder = "D:\\Ny\\"; // the labels keep the folder they were loaded with
    window.show();
    const auto& shown = ui.records.back();
    EXPECT_EQ(shown.field("Label1") + "|" + shown.field("Label3") + "|" +
                  shown.field("lbllokaldrev") + "|" + shown.field("tooltip"),
              "Lexitray 4|4.13.041|Drev: C:\\Sager\\|Drev: C:\\Sager\\");
    // Clicks, Enter, Escape and minimising hide it but keep the icon.
    for (int hider = 0; hider < 5; ++hider) {
        window.menuChosen(TrayMenuItem::About);
        ui.records.clear();
        hider == 0   ? window.windowClicked()
        : hider == 1 ? window.keyPressed(keycode::Enter)
        : hider == 2 ? window.keyPressed(keycode::Escape)
        : hider == 3 ? window.minimised()
                     : window.keyPressed('a');
        EXPECT_EQ(ui.takeEvents(), hider == 4 ? "" : "tray:hidden") << hider;
        EXPECT_TRUE(window.isLoaded());
    }
    for (const auto& [item, seen] : cases) {
        window.menuChosen(item);
        EXPECT_EQ(ui.takeEvents() + "|" + done, seen);
        EXPECT_EQ(window.isLoaded(), item != TrayMenuItem::Exit);
    }
}

} // namespace
} // namespace lexi
