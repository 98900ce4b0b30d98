#include "platform/qt/compose_window_view.h"
#include "tests/qt/offscreen_ui.h"
#include "tests/support/recording_models.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace lexi {
namespace {

using Calls = std::vector<std::string>;

const ComposeFields Plain{"klient@hansen.dk",
                          "arkiv@lexi.dk",
                          "Svar på Deres brev",
                          "Kære Hansen\r\n\r\n<b>ikke fed</b>",
                          false,
                          {"a.pdf", "b æøå.pdf", "c.pdf", "d.pdf", "e.pdf"}};

template <typename Control> Control* control(QWidget* dialog, const char* name) {
    return dialog->findChild<Control*>(name);
}

// Runs `step` from the event loop of the modal window about to open; a
// window still open after it is ended so that no test waits forever.
void whileModal(std::function<void(QWidget&)> step) {
    QTimer::singleShot(0, [step = std::move(step)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        step(*modal);
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "the modal window stayed open";
            dialog->QDialog::done(QDialog::Rejected);
        }
    });
}

class ComposeWindowViewTest : public ::testing::Test {
protected:
    ComposeWindowViewTest() { testing::offscreenUi(); }

    // A dialog for the fields, shown without a modal loop.
    std::unique_ptr<qt::ComposeWindowDialog> show(const ComposeFields& fields) {
        window = std::make_unique<ComposeWindow>(fields, actions);
        auto dialog = std::make_unique<qt::ComposeWindowDialog>(*window);
        dialog->show();
        return dialog;
    }

    testing::RecordingModels actions;
    std::unique_ptr<ComposeWindow> window;
};

TEST_F(ComposeWindowViewTest, DrawsTheModelAndForwardsEachEvent) {
    const auto dialog = show(Plain);
    QWidget* d = dialog.get();
    EXPECT_EQ(dialog->windowTitle(), "Svar på Deres brev - Meddelelse");
    EXPECT_FALSE(dialog->windowIcon().isNull());
    EXPECT_EQ(control<QLineEdit>(d, "bcc")->text().toStdString(), Plain.bcc);
    EXPECT_EQ(control<QTextEdit>(d, "body")->toPlainText(), "Kære Hansen\n\n<b>ikke fed</b>");
    // Four attachment names are shown whole, the fifth scrolls.
    const auto* list = control<QListWidget>(d, "attachments");
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(1)->text(), "b æøå.pdf");
    for (int row = 0; row < 4; ++row) {
        EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(row))));
    }
    EXPECT_GT(list->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(window->fields(), Plain) << "showing the fields is no edit";

    auto* to = control<QLineEdit>(d, "to");
    to->end(false);
    QTest::keyClicks(to, "; ø@x.dk");
    QTest::keyClicks(control<QLineEdit>(d, "bcc"), "x");
    auto* subject = control<QLineEdit>(d, "subject");
    subject->selectAll();
    QTest::keyClick(subject, Qt::Key_Delete);
    EXPECT_EQ(dialog->windowTitle(), "Unavngivet - Meddelelse");
    QTest::keyClick(subject, Qt::Key_Return);
    EXPECT_EQ(actions.calls, Calls{}) << "Enter in a line field sends nothing";

    // Luk, Escape and the close box ask the model, which keeps the window;
    // Send with the edited fields, which the model lets go.
    actions.mailAnswers = {false, false, false, true};
    QTest::mouseClick(control<QPushButton>(d, "close"), Qt::LeftButton);
    QTest::keyClick(control<QTextEdit>(d, "body"), Qt::Key_Escape);
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    QTest::mouseClick(control<QPushButton>(d, "send"), Qt::LeftButton);
    EXPECT_EQ(actions.calls, (Calls{"close ", "close ", "close ", "send "}));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window->fields().to + "|" + window->fields().bcc + "|" + window->fields().subject,
              "klient@hansen.dk; ø@x.dk|arkiv@lexi.dkx|");
}

TEST_F(ComposeWindowViewTest, TypingInTheBodyKeepsItsFormatAndLineEnds) {
    struct Case {
        const char* name;
        std::string body;
        bool html;
        std::string expected;
    };
    const Case cases[] = {
        {"CRLF stays CRLF", "Kære\r\n", false, "Kære\r\n Å\r\n"},
        {"LF alone stays LF", "Kære\n", false, "Kære\n Å\n"},
        {"a new body gets CRLF", "", false, " Å\r\n"},
        {"HTML stays HTML", "<p>Kære <b>Hansen</b></p>", true, "Kære Hansen Å\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComposeFields fields = Plain;
        fields.body = c.body;
        fields.html = c.html;
        const auto dialog = show(fields);
        auto* body = control<QTextEdit>(dialog.get(), "body");
        body->moveCursor(QTextCursor::End);
        QTest::keyClicks(body, " Å");
        QTest::keyClick(body, Qt::Key_Return);
        EXPECT_EQ(window->fields().html, c.html);
        if (c.html) {
            QTextEdit reread;
            reread.setHtml(QString::fromStdString(window->fields().body));
            EXPECT_EQ(reread.toPlainText().toStdString(), c.expected);
        } else {
            EXPECT_EQ(window->fields().body, c.expected);
        }
        EXPECT_EQ(actions.calls, Calls{}) << "Enter in the body is a new line";
    }
}

TEST_F(ComposeWindowViewTest, TheQtUiShowsTheWindowUntilTheModelLetsItGo) {
    actions.mailAnswers = {false, true};
    ComposeWindow shown(Plain, actions);
    whileModal([](QWidget& w) {
        QTest::mouseClick(control<QPushButton>(&w, "close"), Qt::LeftButton);
        w.close();
    });
    testing::offscreenUi().showComposeWindow(shown);
    EXPECT_EQ(actions.calls, (Calls{"close Svar på Deres brev", "close Svar på Deres brev"}));
    EXPECT_FALSE(shown.isOpen());
}

TEST_F(ComposeWindowViewTest, TheFolderPickerAnswersThePositionOrMinusOne) {
    const std::vector<std::string> folders{"\\\\Postkasse\\Indbakke", "\\\\Postkasse\\Sager\\Ø"};
    whileModal([](QWidget& w) {
        w.findChild<QComboBox*>()->setCurrentIndex(1);
        qobject_cast<QInputDialog*>(&w)->accept();
    });
    EXPECT_EQ(testing::offscreenUi().pickFolder(folders), 1);
    whileModal([](QWidget& w) { qobject_cast<QInputDialog*>(&w)->reject(); });
    EXPECT_EQ(testing::offscreenUi().pickFolder(folders), -1);
}

} // namespace
} // namespace lexi
