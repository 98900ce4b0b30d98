// The script language of the scripted UI: for each script, the answers the
// questions get, what the windows pass on to their models, and the records
// of the transcript.

#include "platform/script/scripted_ui.h"
#include "tests/support/recording_models.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace lexi::script {
namespace {

using Models = testing::RecordingModels;
using Step = std::function<void(ScriptedUi&, Models&)>;

// The questions a case asks, in turn; each writes its outcome to the calls.
Step msgbox(int style) {
    return [style](ScriptedUi& ui, Models& m) {
        m.calls.push_back("msgbox " + msgbox::answerName(ui.messageBox("Gem?", style, "Lexitray")));
    };
}

const ComposeFields Shown{"k@h.dk", "", "Svar", "Kære\r\n", false, {"a.doc", "æ.pdf"}};
const std::string ShownLine =
    "mail\tevent=shown\ttitle=Svar - Meddelelse\tto=k@h.dk\tbcc=\t"
    "subject=Svar\tformat=plain\tbody=Kære\\r\\n\tattachments=a.doc; æ.pdf";
const std::string Closed = "mail\tevent=closed\tsubject=Svar";
const std::string ShownClosed = "fields k@h.dk||Svar|Kære\r\n gone";

Step mail(std::deque<bool> answers, ComposeFields fields = Shown) {
    return [answers, fields](ScriptedUi& ui, Models& m) {
        m.mailAnswers = answers;
        ComposeWindow window(fields, m);
        ui.showComposeWindow(window);
        const ComposeFields& after = window.fields();
        m.calls.push_back("fields " + after.to + "|" + after.bcc + "|" + after.subject + "|" +
                          after.body + (window.isOpen() ? " open" : " gone"));
    };
}

Step folder(std::vector<std::string> folders) {
    return [folders](ScriptedUi& ui, Models& m) {
        m.calls.push_back("picked " + std::to_string(ui.pickFolder(folders)));
    };
}

// The event loop with a tray window (`quit` asked for before it runs) or none.
Step loop(bool withTray, bool quit = false) {
    return [withTray, quit](ScriptedUi& ui, Models& m) {
        const TrayWindowContent tray{
            {}, {}, {}, {}, "Lexitray", {}, {{TrayMenuItem::Exit, "&Afslut"}}};
        const auto view = withTray ? ui.openTrayWindow(tray, m) : nullptr;
        if (quit) {
            ui.quitEventLoop();
        }
        ui.runEventLoop();
        m.calls.push_back("returned");
    };
}

Step settings() {
    return [](ScriptedUi& ui, Models& m) {
        m.settingsView = ui.openSettingsWindow({}, m);
        ui.runEventLoop();
    };
}

const std::string Folders = "\\\\Postkasse\\Indbakke";
const std::string NoFolder = "folder\tevent=picked\tfolder=";

// What the models were told and, in turn, the mail records and the other
// records named here.
const struct {
    const char* name;
    const char* script;
    std::vector<Step> steps;
    std::vector<std::string> seen;
} Cases[] = {
    {"message box answers in order, comments, blank lines, letter case and unknown ones aside",
     "# answers\r\nmsgbox No\n\nmsgbox 2\nmsgbox cancel\nmsgbox Maybe\nmsgbox 99\n",
     {msgbox(msgbox::YesNo), msgbox(msgbox::OkCancel), msgbox(msgbox::YesNoCancel),
      msgbox(msgbox::YesNo | msgbox::DefaultButton2), msgbox(msgbox::OkCancel),
      msgbox(msgbox::YesNo)},
     {"msgbox\ttitle=Lexitray\tstyle=4\ttext=Gem?\tanswer=No", "msgbox No", "msgbox Cancel",
      "msgbox Cancel", "msgbox\ttitle=Lexitray\tstyle=260\ttext=Gem?\tanswer=No", "msgbox No",
      "msgbox OK", "msgbox Yes"}},
    {"every mail field edited, then sent; a field named alone is emptied",
     "mail to a@b.dk; c d@e.dk\nmail bcc arkiv@lexi.dk\nmail subject Ærø\n"
     "mail body Kære\\r\\nHansen\\t\\\\\nmail send\nmsgbox Cancel\nmail subject\nmail to\n"
     "mail close\n",
     {mail({true}), msgbox(msgbox::YesNoCancel), mail({true})},
     {ShownLine, "send Ærø", "mail\tevent=sent\tsubject=Ærø",
      "fields a@b.dk; c d@e.dk|arkiv@lexi.dk|Ærø|Kære\r\nHansen\t\\ gone", "msgbox Cancel",
      ShownLine, "close ", "mail\tevent=closed\tsubject=", "fields |||Kære\r\n gone"}},
    {"a cancelled send leaves the mail to the next answer and does not count towards giving up",
     "mail send\nmail close\nmail send\nmail send\nmail send\n",
     {mail({false, true}), mail({false, false, false, false, false, true})},
     {ShownLine, "send Svar", "close Svar", Closed, ShownClosed, ShownLine, "send Svar",
      "send Svar", "send Svar", "close Svar", "close Svar", "close Svar", Closed, ShownClosed}},
    {"an unknown answer, one of another kind or none left is a default; the other kind waits",
     "mail sned\nmsgbox No\n",
     {msgbox(msgbox::YesNo), mail({true}), mail({true}), msgbox(msgbox::YesNoCancel), mail({true})},
     {"msgbox Yes", ShownLine, "close Svar", Closed, ShownClosed, ShownLine, "close Svar", Closed,
      ShownClosed, "msgbox No", ShownLine, "close Svar", Closed, ShownClosed}},
    {"three refused closes give up with the mail open; an HTML mail shows format and markup",
     "mail close\nmail subject Ny\nmail close\nmail close\nmsgbox No\nmail close\n",
     {mail({false, false, false}), msgbox(msgbox::YesNo),
      mail({true}, {"", "arkiv@lexi.dk", "", "<p>Kære\tHansen</p>", true, {}})},
     {ShownLine, "close Svar", "close Ny", "close Ny", "fields k@h.dk||Ny|Kære\r\n open",
      "msgbox No",
      "mail\tevent=shown\ttitle=Unavngivet - Meddelelse\tto=\tbcc=arkiv@lexi.dk\tsubject=\t"
      "format=html\tbody=<p>Kære\\tHansen</p>\tattachments=",
      "close ", "mail\tevent=closed\tsubject=", "fields |arkiv@lexi.dk||<p>Kære\tHansen</p> gone"}},
    {"folders picked by position from one; out of range, no number, none or another kind cancel",
     "folder 2\nfolder 1\nfolder 0\nfolder -1\nfolder Indbakke\nfolder\nmsgbox OK\nfolder 1\n",
     {folder({Folders, "\\\\Postkasse\\Sager\\Ø"}), folder({}), folder({Folders}),
      folder({Folders}), folder({Folders}), folder({Folders}), folder({Folders})},
     {"folder\tevent=picked\tfolder=\\\\\\\\Postkasse\\\\Sager\\\\Ø", "picked 1", NoFolder,
      "picked -1", NoFolder, "picked -1", NoFolder, "picked -1", NoFolder, "picked -1", NoFolder,
      "picked -1", NoFolder, "picked -1"}},
    {"tray answers reach the model, others are passed over; the loop idles, quits or returns",
     "tray icon 514\nmsgbox No\nsettings OK\ntray icon 517\ntray menu &Afslut\n"
     "tray menu Afslut\ntray click\ntray key 27\ntray minimise\ntray icon x\n",
     {loop(true), loop(true, true), loop(false)},
     {"icon 514", "icon 517", "menu 2", "click", "key 27", "minimised", "idle", "returned",
      "returned", "returned"}},
    {"settings answers keep backslashes; OK or, with no answer left, the close box closes",
     "settings fldLokaldrev C:\\\\Sager\\\\ny mappe\\\\\nsettings CheckMailHistorik 0\n"
     "settings CheckMailHistorik 1\nsettings fldLokaldrev\nsettings OK\nsettings OK\n",
     {settings(), settings(), settings()},
     {"folder C:\\Sager\\ny mappe\\", "unticked", "ticked", "folder ", "OK", "OK", "close"}},
};

TEST(ScriptedUi, AnswersAndRecordsAsTheScriptSays) {
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.name);
        Models models;
        const auto record = [&](const Record& r) {
            if (r.kind == "mail" || std::ranges::count(c.seen, r.toLine()) > 0) {
                models.calls.push_back(r.toLine());
            }
        };
        ScriptedUi ui(c.script, record, [&] { models.calls.push_back("idle"); });
        for (const Step& step : c.steps) {
            step(ui, models);
        }
        EXPECT_EQ(models.calls, c.seen);
    }
}

TEST(ScriptedUi, ARecordReadsBackWhateverTheText) {
    const Record record{"msgbox",
                        {{"title", "Lexitray"}, {"text", "a\r\nb\tc\\d\re æøå"}, {"empty", ""}}};
    const Record back = Record::fromLine(record.toLine());
    EXPECT_EQ(back.kind + "|" + back.field("missing"), "msgbox|");
    EXPECT_EQ(back.fields, record.fields);
}

} // namespace
} // namespace lexi::script
