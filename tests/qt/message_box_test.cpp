#include "platform/qt/message_box.h"
#include "platform/ui.h"
#include "tests/qt/offscreen_ui.h"

#include <QtWidgets>
#include <gtest/gtest.h>

namespace lexi {
namespace {

using B = QMessageBox;

TEST(QtMessageBox, HonoursTheStyle) {
    using namespace msgbox;
    testing::offscreenUi();
    // The style, then the buttons, the icon and the default button.
    const std::tuple<int, B::StandardButtons, B::Icon, B::StandardButton> cases[] = {
        {OkOnly, B::Ok, B::NoIcon, B::Ok},
        {OkCancel | Question | DefaultButton2, B::Ok | B::Cancel, B::Question, B::Cancel},
        {AbortRetryIgnore | Critical | DefaultButton3, B::Abort | B::Retry | B::Ignore, B::Critical,
         B::Ignore},
        {YesNoCancel | Exclamation, B::Yes | B::No | B::Cancel, B::Warning, B::Yes},
        {YesNo | Information | DefaultButton3, B::Yes | B::No, B::Information, B::Yes},
        {RetryCancel | DefaultButton2, B::Retry | B::Cancel, B::NoIcon, B::Cancel},
    };
    for (const auto& c : cases) {
        const auto box = qt::buildMessageBox("tekst", std::get<0>(c), "Lexitray");
        EXPECT_EQ(std::tuple(std::get<0>(c), box->standardButtons(), box->icon(),
                             box->standardButton(box->defaultButton())),
                  c);
        EXPECT_TRUE(box->windowModality() == Qt::ApplicationModal &&
                    !(box->windowFlags() & Qt::WindowStaysOnTopHint));
    }
    const auto box = qt::buildMessageBox("Første <b>linje</b>\r\nanden\rtredje",
                                         msgbox::OkOnly | msgbox::SystemModal, "Lexitray – fejl");
    EXPECT_EQ(box->windowTitle() + "|" + box->text(),
              "Lexitray – fejl|Første <b>linje</b>\nanden\ntredje");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(QtMessageBox, AnswersWithTheButtonPressed) {
    qt::QtUi& ui = testing::offscreenUi();
    QTimer::singleShot(
        0, [] { qobject_cast<B*>(QApplication::activeModalWidget())->button(B::Retry)->click(); });
    EXPECT_EQ(ui.messageBox("Igen?", msgbox::AbortRetryIgnore, "Lexitray"), msgbox::Retry);
}

} // namespace
} // namespace lexi
