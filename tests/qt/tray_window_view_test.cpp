#include "platform/qt/tray_window_view.h"
#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(TrayWindowViewTest, DrawsTheModelWholeAndForwardsEachEvent) {
    const std::string notice = "Lexitray henter dokumenter og mails. Højreklik på ikonet.";
    const std::string folder = "Drev: C:\\Sager\\Klienter\\";
    TrayWindowContent content{"Lexitray 4", "4.13.041", folder, notice, "Lexitray", "&Systray", {}};
    using enum TrayMenuItem;
    content.menu = {{About, "&Om"}, {Settings, "&Indstillinger"}, {Exit, "&Afslut"}};
    testing::RecordingModels model;
    auto view = testing::offscreenUi().openTrayWindow(content, model);
    QWidget* window = testing::topLevelWindow("frmTray");
    ASSERT_NE(window, nullptr);
    view->show();
    auto* icon = window->findChild<QSystemTrayIcon*>();
    model.calls.push_back(icon->toolTip().toStdString());
    for (const char* name : {"Label1", "Label3", "lbllokaldrev", "Label4"}) {
        const auto* label = window->findChild<QLabel*>(name);
        model.calls.push_back((label->text() + label->toolTip()).toStdString());
        EXPECT_TRUE(label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                      : label->sizeHint().width() <= label->width())
            << name << " is cut";
    }

    QTest::keyClicks(window, "\r\x1b");
    QTest::mouseClick(window->findChild<QLabel*>("Label4"), Qt::LeftButton);
    QTest::mouseClick(window, Qt::RightButton);
    window->setWindowState(Qt::WindowMinimized);
    for (const int reason : {3, 2, 1, 0}) { // trigger, double click, context, unknown
        emit icon->activated(QSystemTrayIcon::ActivationReason(reason));
    }
    for (QAction* action : window->findChild<QMenu*>("mPopupSys")->actions()) {
        model.calls.push_back(action->text().toStdString());
        action->trigger();
    }
    // The folder label has the folder as its tool tip, too.
    EXPECT_EQ(model.calls,
              (std::vector<std::string>{"Lexitray", "Lexitray 4", "4.13.041", folder + folder,
                                        notice, "key 13", "key 27", "click", "minimised",
                                        "icon 514", "icon 515", "icon 517", "&Om", "menu 0",
                                        "&Indstillinger", "menu 1", "&Afslut", "menu 2"}));
    // Unloading removes the window and ends the event loop.
    QTimer::singleShot(0, [&view] { view.reset(); });
    testing::offscreenUi().runEventLoop();
    EXPECT_EQ(testing::topLevelWindow("frmTray"), nullptr);
}

} // namespace
} // namespace lexi
