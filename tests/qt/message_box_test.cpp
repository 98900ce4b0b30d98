#include "platform/qt/message_box.h"
#include "platform/ui.h"
#include "tests/qt/offscreen_ui.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace lexi {
namespace {

using Buttons = QList<QMessageBox::StandardButton>;

TEST(QtMessageBox, HonoursTheStyle) {
    testing::offscreenUi();
    struct Case {
        int style;
        Buttons buttons; // in Qt's order
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton;
    };
    using B = QMessageBox;
    const Case cases[] = {
        {msgbox::OkOnly, {B::Ok}, B::NoIcon, B::Ok},
        {msgbox::OkCancel | msgbox::Question | msgbox::DefaultButton2,
         {B::Ok, B::Cancel},
         B::Question,
         B::Cancel},
        {msgbox::AbortRetryIgnore | msgbox::Critical | msgbox::DefaultButton3,
         {B::Abort, B::Retry, B::Ignore},
         B::Critical,
         B::Ignore},
        {msgbox::YesNoCancel | msgbox::Exclamation, {B::Yes, B::No, B::Cancel}, B::Warning, B::Yes},
        {msgbox::YesNo | msgbox::Information | msgbox::DefaultButton3,
         {B::Yes, B::No},
         B::Information,
         B::Yes},
        {msgbox::RetryCancel | msgbox::DefaultButton2, {B::Retry, B::Cancel}, B::NoIcon, B::Cancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        const auto box = qt::buildMessageBox("tekst", c.style, "Lexitray");
        Buttons shown;
        for (QAbstractButton* button : box->buttons()) {
            shown << box->standardButton(button);
        }
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(shown, c.buttons);
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(box->standardButton(box->defaultButton()), c.defaultButton);
        EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
        EXPECT_FALSE(box->windowFlags() & Qt::WindowStaysOnTopHint);
    }
    const auto box = qt::buildMessageBox("Første <b>linje</b>\r\nanden\rtredje",
                                         msgbox::OkOnly | msgbox::SystemModal, "Lexitray – fejl");
    EXPECT_EQ(box->windowTitle(), "Lexitray – fejl");
    EXPECT_EQ(box->text(), "Første <b>linje</b>\nanden\ntredje");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(QtMessageBox, AnswersWithTheButtonPressed) {
    qt::QtUi& ui = testing::offscreenUi();
    const auto pressWhenShown = [](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            (button == QMessageBox::NoButton ? box->defaultButton() : box->button(button))->click();
        });
    };
    pressWhenShown(QMessageBox::Retry);
    EXPECT_EQ(ui.messageBox("Igen?", msgbox::AbortRetryIgnore, "Lexitray"), msgbox::Retry);
    pressWhenShown(QMessageBox::NoButton);
    EXPECT_EQ(ui.messageBox("Gem?", msgbox::YesNo | msgbox::DefaultButton2, "Lexitray"),
              msgbox::No);
}

} // namespace
} // namespace lexi
