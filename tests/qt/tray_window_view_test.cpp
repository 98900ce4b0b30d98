#include "platform/qt/tray_window_view.h"
#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace lexi {
namespace {

using Calls = std::vector<std::string>;

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

TEST(TrayWindowViewTest, DrawsTheModelWholeAndForwardsEachEvent) {
    testing::RecordingModels model;
    auto view = testing::offscreenUi().openTrayWindow(Content, model);
    QWidget* window = testing::topLevelWindow("frmTray");
    ASSERT_NE(window, nullptr);
    view->show();
    const auto label = [&](const char* name) {
        return window->findChild<QLabel*>(name);
    };
    EXPECT_EQ(window->size(), QSize(344, 154));
    EXPECT_EQ(label("Label1")->text(), "Lexitray 4");
    EXPECT_EQ(label("lbllokaldrev")->toolTip(), "Drev: C:\\Sager\\Klienter\\");
    for (const char* name : {"Label1", "Label3", "lbllokaldrev"}) {
        EXPECT_LE(label(name)->sizeHint().width(), label(name)->width()) << name;
    }
    QLabel* notice = label("Label4");
    EXPECT_EQ(notice->text().toStdString(), Content.notice);
    EXPECT_LE(notice->heightForWidth(notice->width()), notice->height());

    QTest::keyClick(window, Qt::Key_Enter);
    QTest::keyClick(window, Qt::Key_Escape);
    QTest::mouseClick(notice, Qt::LeftButton);
    QTest::mouseClick(window, Qt::RightButton);
    window->setWindowState(Qt::WindowMinimized);
    auto* icon = window->findChild<QSystemTrayIcon*>();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->toolTip(), "Lexitray");
    for (const auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick,
                              QSystemTrayIcon::Context, QSystemTrayIcon::Unknown}) {
        emit icon->activated(reason);
    }
    QStringList captions;
    for (QAction* action : window->findChild<QMenu*>("mPopupSys")->actions()) {
        captions << action->text();
        action->trigger();
    }
    EXPECT_EQ(captions, (QStringList{"&Om", "&Indstillinger", "&Afslut"}));
    EXPECT_EQ(model.calls, (Calls{"key 13", "key 27", "click", "minimised", "icon 514", "icon 515",
                                  "icon 517", "menu 0", "menu 1", "menu 2"}));

    // Unloading removes the window and ends the event loop.
    QTimer::singleShot(0, [&view] { view.reset(); });
    testing::offscreenUi().runEventLoop();
    EXPECT_EQ(testing::topLevelWindow("frmTray"), nullptr);
}

} // namespace
} // namespace lexi
