#include "platform/qt/tray_window_view.h"
#include "tests/qt/offscreen_ui.h"

#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace lexi {
namespace {

using Calls = std::vector<std::string>;

struct TrayModel : TrayWindowEvents {
    Calls calls;
    void iconMessage(int message) override { calls.push_back("icon " + std::to_string(message)); }
    void menuChosen(TrayMenuItem item) override {
        calls.push_back("menu " + std::to_string(static_cast<int>(item)));
    }
    void windowClicked() override { calls.push_back("click"); }
    void keyPressed(int keyCode) override { calls.push_back("key " + std::to_string(keyCode)); }
    void minimised() override { calls.push_back("minimised"); }
};

const TrayWindowContent Content{
    "Lexitray 4",
    "4.13.041",
    "Drev: C:\\Sager\\Klienter\\",
    "Lexitray henter dokumenter og mails til og fra NAV. Højreklik på ikonet i systemtray for "
    "at åbne menuen.",
    "Lexitray",
    "&Systray",
    {{TrayMenuItem::About, "&Om"},
     {TrayMenuItem::Settings, "&Indstillinger"},
     {TrayMenuItem::Exit, "&Afslut"}}};

class TrayWindowViewTest : public ::testing::Test {
protected:
    TrayWindowViewTest()
        : view(testing::offscreenUi().openTrayWindow(Content, model)),
          window(testing::topLevelWindow("frmTray")) {}

    QLabel* label(const char* name) const { return window->findChild<QLabel*>(name); }

    TrayModel model;
    std::unique_ptr<TrayWindowView> view;
    QWidget* window;
};

TEST_F(TrayWindowViewTest, ShowsTheLabelsWholeInItsFixedSize) {
    ASSERT_NE(window, nullptr);
    view->show();
    EXPECT_EQ(window->size(), QSize(344, 154));
    EXPECT_EQ(label("Label1")->text(), "Lexitray 4");
    EXPECT_EQ(label("Label3")->text(), "4.13.041");
    EXPECT_EQ(label("lbllokaldrev")->toolTip(), "Drev: C:\\Sager\\Klienter\\");
    EXPECT_EQ(label("Label4")->text().toStdString(), Content.notice);
    for (const char* name : {"Label1", "Label3", "lbllokaldrev"}) {
        QLabel* control = label(name);
        EXPECT_LE(control->sizeHint().width(), control->width()) << name;
        EXPECT_LE(control->sizeHint().height(), control->height()) << name;
    }
    QLabel* notice = label("Label4");
    EXPECT_LE(notice->heightForWidth(notice->width()), notice->height());
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(TrayWindowViewTest, ForwardsKeysClicksAndMinimising) {
    view->show();
    QTest::keyClick(window, Qt::Key_Return);
    QTest::keyClick(window, Qt::Key_Enter);
    QTest::keyClick(window, Qt::Key_Escape);
    QTest::keyClick(window, Qt::Key_A);
    QTest::mouseClick(label("Label4"), Qt::LeftButton);
    QTest::mouseClick(window, Qt::RightButton);
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(model.calls, (Calls{"key 13", "key 13", "key 27", "key 97", "click", "minimised"}));
}

TEST_F(TrayWindowViewTest, ForwardsTheIconsClicksAsIconMessages) {
    auto* icon = window->findChild<QSystemTrayIcon*>();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), "Lexitray");
    for (const auto reason :
         {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick, QSystemTrayIcon::Context,
          QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Unknown}) {
        emit icon->activated(reason);
    }
    EXPECT_EQ(model.calls, (Calls{"icon 514", "icon 515", "icon 517", "icon 520"}));
}

TEST_F(TrayWindowViewTest, TheMenuHoldsTheItemsAndForwardsTheChoice) {
    auto* menu = window->findChild<QMenu*>("mPopupSys");
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (QAction* action : menu->actions()) {
        captions << action->text();
        action->trigger();
    }
    EXPECT_EQ(captions, (QStringList{"&Om", "&Indstillinger", "&Afslut"}));
    EXPECT_EQ(model.calls, (Calls{"menu 0", "menu 1", "menu 2"}));
}

TEST_F(TrayWindowViewTest, UnloadingRemovesTheWindowAndEndsTheEventLoop) {
    QTimer::singleShot(0, [this] { view.reset(); });
    testing::offscreenUi().runEventLoop();
    EXPECT_EQ(testing::topLevelWindow("frmTray"), nullptr);
}

} // namespace
} // namespace lexi
