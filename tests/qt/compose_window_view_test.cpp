#include "platform/qt/compose_window_view.h"
#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace lexi {
namespace {

const ComposeFields Shown{"k@h.dk",           "b@l.dk", "Svar",
                          "Kære\r\n<b>x</b>", false,    {"a", "æ", "c", "d", "e"}};

class ComposeWindowViewTest : public ::testing::Test {
protected:
    qt::QtUi& ui = testing::offscreenUi();
    testing::RecordingModels actions;
    ComposeWindow window{Shown, actions};
};

TEST_F(ComposeWindowViewTest, DrawsTheModelAndForwardsEachEvent) {
    qt::ComposeWindowDialog dialog(window);
    dialog.show();
    auto* bcc = dialog.findChild<QLineEdit*>("bcc");
    auto* subject = dialog.findChild<QLineEdit*>("subject");
    auto* body = dialog.findChild<QTextEdit*>("body");
    EXPECT_EQ(dialog.windowTitle() + "|" + bcc->text() + "|" + body->toPlainText() +
                  (dialog.windowIcon().isNull() ? "|no icon" : ""),
              "Svar - Meddelelse|b@l.dk|Kære\n<b>x</b>");
    // Four attachment names are shown whole, the fifth scrolls.
    const auto* list = dialog.findChild<QListWidget*>("attachments");
    EXPECT_EQ(list->item(1)->text() + "|" + list->item(4)->text(), "æ|e");
    EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(3))) &&
                list->verticalScrollBar()->maximum() > 0);
    EXPECT_EQ(window.fields(), Shown) << "showing the fields is no edit";

    QTest::keyClicks(dialog.findChild<QLineEdit*>("to"), "; ø@x.dk");
    QTest::keyClicks(bcc, "x");
    subject->selectAll();
    QTest::keyClick(subject, Qt::Key_Delete);
    EXPECT_EQ(dialog.windowTitle(), "Unavngivet - Meddelelse");
    QTest::keyClick(subject, Qt::Key_Return); // Enter in a line field sends nothing
    // Luk, Escape and the close box ask the model, which keeps the window;
    // Send with the edited fields, which the model lets go.
    actions.mailAnswers = {false, false, false, true};
    QTest::mouseClick(dialog.findChild<QPushButton*>("close"), Qt::LeftButton);
    QTest::keyClick(body, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(dialog.findChild<QPushButton*>("send"), Qt::LeftButton);
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"close ", "close ", "close ", "send "}));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(window.fields().to + "|" + window.fields().bcc + "|" + window.fields().subject,
              "k@h.dk; ø@x.dk|b@l.dkx|");
}

TEST_F(ComposeWindowViewTest, TypingInTheBodyKeepsItsFormatAndLineEnds) {
    // The body, then after " Å" and Enter (HTML read back as plain text).
    const std::pair<std::string, std::string> cases[] = {
        {"Kære\r\n", "Kære\r\n Å\r\n"},
        {"Kære\n", "Kære\n Å\n"},
        {"", " Å\r\n"},
        {"<p>Kære <b>Hansen</b></p>", "Kære Hansen Å\n"},
    };
    for (const auto& [before, after] : cases) {
        ComposeWindow typed({"", "", "", before, before.starts_with("<p>"), {}}, actions);
        qt::ComposeWindowDialog dialog(typed);
        auto* body = dialog.findChild<QTextEdit*>("body");
        body->moveCursor(QTextCursor::End);
        QTest::keyClicks(body, " Å\r"); // Enter is a new line, not Send
        QTextEdit reread;
        reread.setHtml(QString::fromStdString(typed.fields().body));
        // A body that changed format would not read back.
        EXPECT_EQ(typed.fields().html ? reread.toPlainText().toStdString() : typed.fields().body,
                  after);
    }
    EXPECT_TRUE(actions.calls.empty());
}

TEST_F(ComposeWindowViewTest, TheFolderPickerAnswersThePositionOrMinusOne) {
    const std::vector<std::string> folders{"\\\\Postkasse\\Indbakke", "\\\\Postkasse\\Sager\\Ø"};
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        dialog->findChild<QComboBox*>()->setCurrentIndex(1);
        dialog->accept();
    });
    EXPECT_EQ(ui.pickFolder(folders), 1);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(ui.pickFolder(folders), -1);
}

} // namespace
} // namespace lexi
