#include "platform/qt/compose_window_view.h"
#include "tests/qt/offscreen_ui.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace lexi {
namespace {

using Calls = std::vector<std::string>;

// Writes down what the window asks of the mail behind it and answers as told;
// with no answer left it keeps the window open.
struct RecordingActions : ComposeActions {
    Calls calls;
    std::vector<ComposeFields> sentFields;
    std::deque<bool> answers;

    bool send(const ComposeFields& fields) override {
        calls.push_back("send");
        sentFields.push_back(fields);
        return next();
    }
    bool close(const ComposeFields&) override {
        calls.push_back("close");
        return next();
    }
    bool next() {
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

const ComposeFields Plain{"klient@hansen.dk",
                          "arkiv@lexi.dk",
                          "Svar på Deres brev",
                          "Kære Hansen\r\n\r\n<b>ikke fed</b>",
                          false,
                          {"Brev.docx", "Bilag æøå.pdf"}};
const ComposeFields MoreAttached{
    Plain.to,   Plain.bcc, Plain.subject,
    Plain.body, false,     {"a.pdf", "b.pdf", "c.pdf", "d.pdf", "e.pdf", "f.pdf"}};
const ComposeFields Html{"", "", "", "<p>Kære <b>Hansen</b></p>", true, {}};

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

    template <typename Control> static Control* control(QWidget* dialog, const char* name) {
        return dialog->findChild<Control*>(name);
    }

    RecordingActions actions;
    std::unique_ptr<ComposeWindow> window;
};

TEST_F(ComposeWindowViewTest, ShowsTheFieldsOfTheModel) {
    struct Case {
        const char* name;
        ComposeFields fields;
        QString title;
        QString bodyShown; // what the reader sees of the body
        QStringList attachments;
    };
    const Case cases[] = {
        {"plain body is shown as it is written", Plain, "Svar på Deres brev - Meddelelse",
         "Kære Hansen\n\n<b>ikke fed</b>", QStringList{"Brev.docx", "Bilag æøå.pdf"}},
        {"HTML body is shown rendered", Html, "Unavngivet - Meddelelse", "Kære Hansen", {}},
        {"many attachments", MoreAttached, "Svar på Deres brev - Meddelelse",
         "Kære Hansen\n\n<b>ikke fed</b>",
         QStringList{"a.pdf", "b.pdf", "c.pdf", "d.pdf", "e.pdf", "f.pdf"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto dialog = show(c.fields);
        EXPECT_EQ(dialog->windowTitle(), c.title);
        EXPECT_FALSE(dialog->windowIcon().isNull());
        EXPECT_EQ(control<QLineEdit>(dialog.get(), "to")->text().toStdString(), c.fields.to);
        EXPECT_EQ(control<QLineEdit>(dialog.get(), "bcc")->text().toStdString(), c.fields.bcc);
        EXPECT_EQ(control<QLineEdit>(dialog.get(), "subject")->text().toStdString(),
                  c.fields.subject);
        EXPECT_EQ(control<QTextEdit>(dialog.get(), "body")->toPlainText(), c.bodyShown);
        const auto* list = control<QListWidget>(dialog.get(), "attachments");
        ASSERT_NE(list, nullptr);
        QStringList listed;
        for (int row = 0; row < list->count(); ++row) {
            listed << list->item(row)->text();
        }
        EXPECT_EQ(listed, c.attachments);
        EXPECT_EQ(list->isVisible(), !c.attachments.isEmpty());
        // Up to four names are shown whole, with no room for more; more scroll.
        const int rowsShown = std::min<int>(list->count(), 4);
        for (int row = 0; row < rowsShown; ++row) {
            EXPECT_TRUE(list->viewport()->rect().contains(list->visualItemRect(list->item(row))))
                << row;
        }
        EXPECT_EQ(list->verticalScrollBar()->maximum() > 0, list->count() > 4);
        if (rowsShown > 0) {
            EXPECT_LT(list->viewport()->height(), (rowsShown + 1) * list->sizeHintForRow(0));
        }
        // Showing the fields is no edit.
        EXPECT_EQ(window->fields(), c.fields);
    }
}

TEST_F(ComposeWindowViewTest, TypingInAFieldChangesThatFieldOfTheModel) {
    struct Case {
        const char* field;
        std::string ComposeFields::*member;
        std::string expected;
    };
    const Case cases[] = {
        {"to", &ComposeFields::to, "klient@hansen.dk; ø@x.dk"},
        {"bcc", &ComposeFields::bcc, "arkiv@lexi.dk; ø@x.dk"},
        {"subject", &ComposeFields::subject, "Svar på Deres brev; ø@x.dk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const auto dialog = show(Plain);
        auto* edit = control<QLineEdit>(dialog.get(), c.field);
        edit->end(false);
        QTest::keyClicks(edit, "; ø@x.dk");
        ComposeFields expected = Plain;
        expected.*c.member = c.expected;
        EXPECT_EQ(window->fields(), expected);
        EXPECT_EQ(dialog->windowTitle().toStdString(), window->title());
    }
}

TEST_F(ComposeWindowViewTest, EmptyingTheSubjectNamesTheWindowUnavngivet) {
    const auto dialog = show(Plain);
    auto* subject = control<QLineEdit>(dialog.get(), "subject");
    subject->selectAll();
    QTest::keyClick(subject, Qt::Key_Delete);
    EXPECT_EQ(window->fields().subject, "");
    EXPECT_EQ(dialog->windowTitle(), "Unavngivet - Meddelelse");
    QTest::keyClicks(subject, "Æ");
    EXPECT_EQ(dialog->windowTitle(), "Æ - Meddelelse");
}

TEST_F(ComposeWindowViewTest, TypingInAPlainBodyKeepsItsLineEnds) {
    struct Case {
        const char* name;
        std::string body;
        std::string expected;
    };
    const Case cases[] = {
        {"CRLF stays CRLF", Plain.body, "Kære Hansen\r\n\r\n<b>ikke fed</b> Å\r\n"},
        {"LF alone stays LF", "Kære Hansen\n", "Kære Hansen\n Å\n"},
        {"a new body gets CRLF", "", " Å\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComposeFields fields = Plain;
        fields.body = c.body;
        const auto dialog = show(fields);
        auto* body = control<QTextEdit>(dialog.get(), "body");
        body->moveCursor(QTextCursor::End);
        QTest::keyClicks(body, " Å");
        QTest::keyClick(body, Qt::Key_Return);
        EXPECT_EQ(window->fields().body, c.expected);
        EXPECT_FALSE(window->fields().html);
        EXPECT_EQ(actions.calls, Calls{}) << "Enter in the body is a new line";
    }
}

TEST_F(ComposeWindowViewTest, TypingInAnHtmlBodyKeepsItHtml) {
    const auto dialog = show(Html);
    auto* body = control<QTextEdit>(dialog.get(), "body");
    body->moveCursor(QTextCursor::End);
    QTest::keyClicks(body, " Å");
    EXPECT_TRUE(window->fields().html);
    QTextEdit reread;
    reread.setHtml(QString::fromStdString(window->fields().body));
    EXPECT_EQ(reread.toPlainText(), "Kære Hansen Å");
}

TEST_F(ComposeWindowViewTest, SendCloseEscapeAndTheCloseBoxAskTheModel) {
    using Press = std::function<void(qt::ComposeWindowDialog&)>;
    const Press send = [](qt::ComposeWindowDialog& d) {
        QTest::mouseClick(control<QPushButton>(&d, "send"), Qt::LeftButton);
    };
    const Press closeButton = [](qt::ComposeWindowDialog& d) {
        QTest::mouseClick(control<QPushButton>(&d, "close"), Qt::LeftButton);
    };
    const Press escape = [](qt::ComposeWindowDialog& d) {
        QTest::keyClick(control<QTextEdit>(&d, "body"), Qt::Key_Escape);
    };
    const Press closeBox = [](qt::ComposeWindowDialog& d) {
        d.close();
    };
    struct Case {
        const char* name;
        Press press;
        bool modelLetsGo;
        Calls calls;
    };
    const Case cases[] = {
        {"Send, sent", send, true, {"send"}},
        {"Send, cancelled", send, false, {"send"}},
        {"Luk, gone", closeButton, true, {"close"}},
        {"Luk, kept", closeButton, false, {"close"}},
        {"Escape, gone", escape, true, {"close"}},
        {"Escape, kept", escape, false, {"close"}},
        {"close box, gone", closeBox, true, {"close"}},
        {"close box, kept", closeBox, false, {"close"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        actions = {};
        actions.answers = {c.modelLetsGo};
        const auto dialog = show(Plain);
        c.press(*dialog);
        EXPECT_EQ(actions.calls, c.calls);
        EXPECT_EQ(window->isOpen(), !c.modelLetsGo);
        EXPECT_EQ(dialog->isVisible(), !c.modelLetsGo);
        if (!c.modelLetsGo) {
            // Still usable: the next press the model accepts ends it.
            actions.answers = {true};
            c.press(*dialog);
            EXPECT_FALSE(dialog->isVisible());
        }
    }
}

TEST_F(ComposeWindowViewTest, SendingHandsTheEditedFieldsToTheModel) {
    actions.answers = {true};
    const auto dialog = show(Plain);
    QTest::keyClicks(control<QLineEdit>(dialog.get(), "to"), "x");
    QTest::mouseClick(control<QPushButton>(dialog.get(), "send"), Qt::LeftButton);
    ASSERT_EQ(actions.sentFields.size(), 1u);
    EXPECT_EQ(actions.sentFields[0].to, "klient@hansen.dkx");
}

TEST_F(ComposeWindowViewTest, EnterInALineFieldSendsNothing) {
    const auto dialog = show(Plain);
    for (const char* field : {"to", "bcc", "subject"}) {
        SCOPED_TRACE(field);
        auto* edit = control<QLineEdit>(dialog.get(), field);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(actions.calls, Calls{});
        EXPECT_TRUE(dialog->isVisible());
    }
}

// Runs `steps` one after the other from the event loop of the modal window
// about to open; a window still open after them is ended so that no test
// waits forever.
void whileModal(std::vector<std::function<void(QWidget&)>> steps) {
    QTimer::singleShot(0, [steps = std::move(steps)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        for (const auto& step : steps) {
            step(*modal);
        }
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "the modal window stayed open";
            dialog->QDialog::done(QDialog::Rejected);
        }
    });
}

TEST_F(ComposeWindowViewTest, TheQtUiShowsTheWindowUntilTheModelLetsItGo) {
    actions.answers = {false, false, true};
    ComposeWindow shown(Plain, actions);
    whileModal({
        [](QWidget& w) { QTest::mouseClick(control<QPushButton>(&w, "close"), Qt::LeftButton); },
        [](QWidget& w) { QTest::mouseClick(control<QPushButton>(&w, "send"), Qt::LeftButton); },
        [](QWidget& w) { w.close(); },
    });
    testing::offscreenUi().showComposeWindow(shown);
    EXPECT_EQ(actions.calls, (Calls{"close", "send", "close"}));
    EXPECT_FALSE(shown.isOpen());
}

TEST_F(ComposeWindowViewTest, TheFolderPickerAnswersThePositionOrMinusOne) {
    const std::vector<std::string> folders{"\\\\Postkasse\\Indbakke", "\\\\Postkasse\\Sager\\Ø",
                                           "\\\\Postkasse\\Sendt post"};
    struct Case {
        const char* name;
        std::function<void(QWidget&)> answer;
        int expected;
    };
    const Case cases[] = {
        {"second folder, OK",
         [](QWidget& w) {
             w.findChild<QComboBox*>()->setCurrentIndex(1);
             qobject_cast<QInputDialog*>(&w)->accept();
         },
         1},
        {"first folder as offered", [](QWidget& w) { qobject_cast<QInputDialog*>(&w)->accept(); },
         0},
        {"cancelled",
         [](QWidget& w) {
             w.findChild<QComboBox*>()->setCurrentIndex(2);
             qobject_cast<QInputDialog*>(&w)->reject();
         },
         -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        whileModal({c.answer});
        EXPECT_EQ(testing::offscreenUi().pickFolder(folders), c.expected);
    }
}

} // namespace
} // namespace lexi
