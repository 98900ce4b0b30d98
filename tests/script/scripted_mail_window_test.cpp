#include "platform/script/scripted_ui.h"

#include <deque>
#include <gtest/gtest.h>

namespace lexi::script {
namespace {

using Calls = std::vector<std::string>;
using Lines = std::vector<std::string>;

// Writes down what the window asks of the mail behind it and answers as told;
// with no answer left it keeps the window open.
struct RecordingActions : ComposeActions {
    Calls calls;
    std::deque<bool> answers;

    bool send(const ComposeFields& fields) override {
        calls.push_back("send " + fields.subject);
        return next();
    }
    bool close(const ComposeFields& fields) override {
        calls.push_back("close " + fields.subject);
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

const ComposeFields Shown{"klient@hansen.dk", "",    "Svar",
                          "Kære Hansen\r\n",  false, {"Brev.docx", "Bilag æøå.pdf"}};
const std::string ShownLine = "mail\tevent=shown\ttitle=Svar - Meddelelse\tto=klient@hansen.dk\t"
                              "bcc=\tsubject=Svar\tformat=plain\tbody=Kære Hansen\\r\\n\t"
                              "attachments=Brev.docx; Bilag æøå.pdf";

class ScriptedMailWindowTest : public ::testing::Test {
protected:
    ScriptedUi ui(std::string_view script) {
        return ScriptedUi(script,
                          [this](const Record& record) { lines.push_back(record.toLine()); });
    }

    Lines lines;
};

TEST_F(ScriptedMailWindowTest, MailAnswersEditSendAndCloseTheWindow) {
    struct Case {
        const char* name;
        const char* script;
        std::deque<bool> answers; // the mail's, to Send and Close in turn
        Calls calls;
        ComposeFields fields; // as the window holds them afterwards
        bool open;
        Lines after; // records after the "shown" one
    };
    const auto edited = [](auto change) {
        ComposeFields fields = Shown;
        change(fields);
        return fields;
    };
    const Case cases[] = {
        {"every field edited, then sent",
         "mail to a@b.dk; c d@e.dk\nmail bcc arkiv@lexi.dk\nmail subject Ærø\n"
         "mail body Kære\\r\\nHansen\\t\\\\\nmail send\n",
         {true},
         {"send Ærø"},
         edited([](ComposeFields& f) {
             f.to = "a@b.dk; c d@e.dk";
             f.bcc = "arkiv@lexi.dk";
             f.subject = "Ærø";
             f.body = "Kære\r\nHansen\t\\";
         }),
         false,
         {"mail\tevent=sent\tsubject=Ærø"}},
        {"a field named alone is emptied",
         "mail subject\nmail to\nmail close\n",
         {true},
         Calls{"close "},
         edited([](ComposeFields& f) {
             f.subject.clear();
             f.to.clear();
         }),
         false,
         Lines{"mail\tevent=closed\tsubject="}},
        {"a cancelled send leaves the window to the next answer",
         "mail send\nmail close\n",
         {false, true},
         Calls{"send Svar", "close Svar"},
         Shown,
         false,
         Lines{"mail\tevent=closed\tsubject=Svar"}},
        {"no answer left closes it as the close box does",
         "",
         {true},
         Calls{"close Svar"},
         Shown,
         false,
         Lines{"mail\tevent=closed\tsubject=Svar"}},
        {"an answer of another kind closes it too",
         "msgbox No\nmail send\n",
         {true},
         Calls{"close Svar"},
         Shown,
         false,
         Lines{"mail\tevent=closed\tsubject=Svar"}},
        {"an unknown mail answer is the close box",
         "mail sned\n",
         {true},
         Calls{"close Svar"},
         Shown,
         false,
         Lines{"mail\tevent=closed\tsubject=Svar"}},
        {"three refused closes give up, the window still open",
         "mail close\nmail subject Ny\nmail close\nmail close\nmail send\n",
         {false, false, false},
         Calls{"close Svar", "close Ny", "close Ny"},
         edited([](ComposeFields& f) { f.subject = "Ny"; }),
         true,
         {}},
        {"refused sends do not count towards giving up",
         "mail send\nmail send\nmail send\n",
         {false, false, false, false, false, true},
         Calls{"send Svar", "send Svar", "send Svar", "close Svar", "close Svar", "close Svar"},
         Shown,
         false,
         Lines{"mail\tevent=closed\tsubject=Svar"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lines.clear();
        RecordingActions actions;
        actions.answers = c.answers;
        ComposeWindow window(Shown, actions);
        auto scripted = ui(c.script);
        scripted.showComposeWindow(window);
        EXPECT_EQ(actions.calls, c.calls);
        EXPECT_EQ(window.fields(), c.fields);
        EXPECT_EQ(window.isOpen(), c.open);
        Lines expected{ShownLine};
        expected.insert(expected.end(), c.after.begin(), c.after.end());
        EXPECT_EQ(lines, expected);
    }
}

TEST_F(ScriptedMailWindowTest, AnswersTheWindowLeavesAreKeptForLaterQuestions) {
    struct Case {
        const char* name;
        const char* script;
        std::deque<bool> answers;
        const char* nextMsgboxAnswer;
    };
    const Case cases[] = {
        {"an answer of another kind", "msgbox No\n", {true}, "No"},
        {"what follows Send", "mail send\nmsgbox Cancel\n", {true}, "Cancel"},
        {"what follows the third refused close",
         "mail close\nmail close\nmail close\nmsgbox No\n",
         {false, false, false},
         "No"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lines.clear();
        RecordingActions actions;
        actions.answers = c.answers;
        ComposeWindow window(Shown, actions);
        auto scripted = ui(c.script);
        scripted.showComposeWindow(window);
        scripted.messageBox("Gem?", 3, "Lexitray");
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(Record::fromLine(lines.back()).field("answer"), c.nextMsgboxAnswer);
    }
}

TEST_F(ScriptedMailWindowTest, AnHtmlMailIsShownWithItsFormatAndMarkup) {
    RecordingActions actions;
    ComposeWindow window({"", "arkiv@lexi.dk", "", "<p>Kære\tHansen</p>", true, {}}, actions);
    actions.answers = {true};
    auto scripted = ui("mail close\n");
    scripted.showComposeWindow(window);
    EXPECT_EQ(lines, (Lines{"mail\tevent=shown\ttitle=Unavngivet - Meddelelse\tto=\t"
                            "bcc=arkiv@lexi.dk\tsubject=\tformat=html\t"
                            "body=<p>Kære\\tHansen</p>\tattachments=",
                            "mail\tevent=closed\tsubject="}));
}

TEST_F(ScriptedMailWindowTest, FolderAnswersPickByPositionFromOne) {
    const std::vector<std::string> folders{"\\\\Postkasse\\Indbakke", "\\\\Postkasse\\Sager\\Ø",
                                           "\\\\Postkasse\\Sendt post"};
    struct Case {
        const char* script;
        int chosen;
        std::string folderField;
    };
    const Case cases[] = {
        {"folder 1\n", 0, "\\\\\\\\Postkasse\\\\Indbakke"},
        {"folder 2\n", 1, "\\\\\\\\Postkasse\\\\Sager\\\\Ø"},
        {"folder 3\n", 2, "\\\\\\\\Postkasse\\\\Sendt post"},
        {"folder 4\n", -1, ""},
        {"folder 0\n", -1, ""},
        {"folder -1\n", -1, ""},
        {"folder Indbakke\n", -1, ""},
        {"folder\n", -1, ""},
        {"", -1, ""},
        {"msgbox OK\nfolder 1\n", -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        lines.clear();
        auto scripted = ui(c.script);
        EXPECT_EQ(scripted.pickFolder(folders), c.chosen);
        EXPECT_EQ(lines, Lines{"folder\tevent=picked\tfolder=" + c.folderField});
    }
}

TEST_F(ScriptedMailWindowTest, EachPickerTakesItsOwnFolderAnswer) {
    auto scripted = ui("folder 2\nfolder 1\n");
    EXPECT_EQ(scripted.pickFolder({"A", "B"}), 1);
    EXPECT_EQ(scripted.pickFolder({}), -1);
    EXPECT_EQ(scripted.pickFolder({"A", "B"}), -1);
    EXPECT_EQ(lines, (Lines{"folder\tevent=picked\tfolder=B",
                            "folder\tevent=picked\tfolder=", "folder\tevent=picked\tfolder="}));
}

} // namespace
} // namespace lexi::script
