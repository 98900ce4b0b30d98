// The script language of the scripted UI: for each script, the answers the
// questions get, what the windows pass on to their models, and the records
// of the transcript.

#include "platform/script/scripted_ui.h"
#include "tests/support/recording_models.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace lexi::script {
namespace {

using Calls = std::vector<std::string>;
using Lines = std::vector<std::string>;

using Models = testing::RecordingModels;

struct Session {
    ScriptedUi& ui;
    Models& models;
    int& idled;
};
using Step = std::function<void(Session&)>;

// The questions a case asks, in turn; each writes its outcome to the calls.
Step msgbox(int style) {
    return [style](Session& r) {
        r.models.calls.push_back("msgbox " +
                                 msgbox::answerName(r.ui.messageBox("Gem?", style, "Lexitray")));
    };
}

const ComposeFields Shown{"klient@hansen.dk", "",    "Svar",
                          "Kære Hansen\r\n",  false, {"Brev.docx", "Bilag æøå.pdf"}};
const std::string ShownLine = "mail\tevent=shown\ttitle=Svar - Meddelelse\tto=klient@hansen.dk\t"
                              "bcc=\tsubject=Svar\tformat=plain\tbody=Kære Hansen\\r\\n\t"
                              "attachments=Brev.docx; Bilag æøå.pdf";
const std::string ShownClosed = "fields klient@hansen.dk||Svar|Kære Hansen\r\n gone";

Step mail(std::deque<bool> answers, ComposeFields fields = Shown) {
    return [answers, fields](Session& r) {
        r.models.mailAnswers = answers;
        ComposeWindow window(fields, r.models);
        r.ui.showComposeWindow(window);
        const ComposeFields& after = window.fields();
        r.models.calls.push_back("fields " + after.to + "|" + after.bcc + "|" + after.subject +
                                 "|" + after.body + (window.isOpen() ? " open" : " gone"));
    };
}

Step folder(std::vector<std::string> folders) {
    return [folders](Session& r) {
        r.models.calls.push_back("picked " + std::to_string(r.ui.pickFolder(folders)));
    };
}

const TrayWindowContent Tray{"Lexitray 4",
                             "4.13.041",
                             "Drev: C:\\",
                             "",
                             "Lexitray",
                             "&Systray",
                             {{TrayMenuItem::About, "&Om"}, {TrayMenuItem::Exit, "&Afslut"}}};

// The tray window's event loop, `quit` asked for before it runs.
Step tray(bool quit = false) {
    return [quit](Session& r) {
        const auto view = r.ui.openTrayWindow(Tray, r.models);
        if (quit) {
            r.ui.quitEventLoop();
        }
        r.ui.runEventLoop();
        r.models.calls.push_back("idled " + std::to_string(r.idled));
    };
}

Step loopWithoutWindows() {
    return [](Session& r) {
        r.ui.runEventLoop();
        r.models.calls.push_back("idled " + std::to_string(r.idled));
    };
}

Step settings() {
    return [](Session& r) {
        r.models.settingsView = r.ui.openSettingsWindow({}, r.models);
        r.ui.runEventLoop();
    };
}

const std::string Folder1 = "\\\\Postkasse\\Indbakke";
const std::string Folder2 = "\\\\Postkasse\\Sager\\Ø";
const std::string NoFolder = "folder\tevent=picked\tfolder=";

struct Case {
    const char* name;
    const char* script;
    std::vector<Step> steps;
    Calls calls;
    // The message box, mail and folder records, and of the tray and settings
    // windows those named here.
    Lines transcript;
};

const Case Cases[] = {
    {"message boxes take the answers in order, comments, blank lines and letter case aside",
     "# answers\r\nmsgbox No\n\nmsgbox 2\nmsgbox cancel\n",
     {msgbox(msgbox::YesNo), msgbox(msgbox::OkCancel), msgbox(msgbox::YesNoCancel),
      msgbox(msgbox::YesNo | msgbox::DefaultButton2)},
     {"msgbox No", "msgbox Cancel", "msgbox Cancel", "msgbox No"},
     {"msgbox\ttitle=Lexitray\tstyle=4\ttext=Gem?\tanswer=No",
      "msgbox\ttitle=Lexitray\tstyle=1\ttext=Gem?\tanswer=Cancel",
      "msgbox\ttitle=Lexitray\tstyle=3\ttext=Gem?\tanswer=Cancel",
      "msgbox\ttitle=Lexitray\tstyle=260\ttext=Gem?\tanswer=No"}},
    {"an unknown answer takes the default",
     "msgbox Maybe\nmsgbox 99\n",
     {msgbox(msgbox::OkCancel), msgbox(msgbox::YesNo)},
     {"msgbox OK", "msgbox Yes"},
     {"msgbox\ttitle=Lexitray\tstyle=1\ttext=Gem?\tanswer=OK",
      "msgbox\ttitle=Lexitray\tstyle=4\ttext=Gem?\tanswer=Yes"}},
    {"an answer for another window waits for it",
     "mail send\nmsgbox No\n",
     {msgbox(msgbox::YesNo)},
     {"msgbox Yes"},
     {"msgbox\ttitle=Lexitray\tstyle=4\ttext=Gem?\tanswer=Yes"}},
    {"every mail field edited, then sent",
     "mail to a@b.dk; c d@e.dk\nmail bcc arkiv@lexi.dk\nmail subject Ærø\n"
     "mail body Kære\\r\\nHansen\\t\\\\\nmail send\nmsgbox Cancel\n",
     {mail({true}), msgbox(msgbox::YesNoCancel)},
     {"send Ærø", "fields a@b.dk; c d@e.dk|arkiv@lexi.dk|Ærø|Kære\r\nHansen\t\\ gone",
      "msgbox Cancel"},
     {ShownLine, "mail\tevent=sent\tsubject=Ærø",
      "msgbox\ttitle=Lexitray\tstyle=3\ttext=Gem?\tanswer=Cancel"}},
    {"a mail field named alone is emptied",
     "mail subject\nmail to\nmail close\n",
     {mail({true})},
     {"close ", "fields |||Kære Hansen\r\n gone"},
     {ShownLine, "mail\tevent=closed\tsubject="}},
    {"a cancelled send leaves the mail to the next answer",
     "mail send\nmail close\n",
     {mail({false, true})},
     {"send Svar", "close Svar", ShownClosed},
     {ShownLine, "mail\tevent=closed\tsubject=Svar"}},
    {"an unknown mail answer, one of another kind or none left is the close box; the other "
     "kind is kept for its question",
     "mail sned\nmsgbox No\n",
     {mail({true}), mail({true}), msgbox(msgbox::YesNoCancel), mail({true})},
     {"close Svar", ShownClosed, "close Svar", ShownClosed, "msgbox No", "close Svar", ShownClosed},
     {ShownLine, "mail\tevent=closed\tsubject=Svar", ShownLine, "mail\tevent=closed\tsubject=Svar",
      "msgbox\ttitle=Lexitray\tstyle=3\ttext=Gem?\tanswer=No", ShownLine,
      "mail\tevent=closed\tsubject=Svar"}},
    {"three refused closes give up with the mail open, and what follows is kept",
     "mail close\nmail subject Ny\nmail close\nmail close\nmsgbox No\n",
     {mail({false, false, false}), msgbox(msgbox::YesNo)},
     {"close Svar", "close Ny", "close Ny", "fields klient@hansen.dk||Ny|Kære Hansen\r\n open",
      "msgbox No"},
     {ShownLine, "msgbox\ttitle=Lexitray\tstyle=4\ttext=Gem?\tanswer=No"}},
    {"refused sends do not count towards giving up",
     "mail send\nmail send\nmail send\n",
     {mail({false, false, false, false, false, true})},
     {"send Svar", "send Svar", "send Svar", "close Svar", "close Svar", "close Svar", ShownClosed},
     {ShownLine, "mail\tevent=closed\tsubject=Svar"}},
    {"an HTML mail is shown with its format and markup",
     "mail close\n",
     {mail({true}, {"", "arkiv@lexi.dk", "", "<p>Kære\tHansen</p>", true, {}})},
     {"close ", "fields |arkiv@lexi.dk||<p>Kære\tHansen</p> gone"},
     {"mail\tevent=shown\ttitle=Unavngivet - Meddelelse\tto=\tbcc=arkiv@lexi.dk\tsubject=\t"
      "format=html\tbody=<p>Kære\\tHansen</p>\tattachments=",
      "mail\tevent=closed\tsubject="}},
    {"folders are picked by position from one, each picker its own answer",
     "folder 2\nfolder 1\nfolder 3\n",
     {folder({Folder1, Folder2}), folder({}), folder({Folder1, Folder2})},
     {"picked 1", "picked -1", "picked -1"},
     {"folder\tevent=picked\tfolder=\\\\\\\\Postkasse\\\\Sager\\\\Ø", NoFolder, NoFolder}},
    {"a folder answer out of range, no number, missing or of another kind cancels",
     "folder 0\nfolder -1\nfolder Indbakke\nfolder\nmsgbox OK\nfolder 1\n",
     {folder({Folder1}), folder({Folder1}), folder({Folder1}), folder({Folder1}),
      folder({Folder1})},
     {"picked -1", "picked -1", "picked -1", "picked -1", "picked -1"},
     Lines(5, NoFolder)},
    {"tray answers reach the model, others are passed over, then the loop idles",
     "tray icon 514\nmsgbox No\nsettings OK\ntray icon 517\ntray menu &Afslut\n"
     "tray menu Afslut\ntray click\ntray key 27\ntray minimise\ntray icon x\n",
     {tray()},
     {"icon 514", "icon 517", "menu 2", "click", "key 27", "minimised", "idled 1"},
     {"tray\tevent=loaded\ttip=Lexitray"}},
    {"quitting ends the loop with windows loaded; without windows it returns at once",
     "tray click\n",
     {tray(true), loopWithoutWindows()},
     {"idled 0", "idled 0"},
     {"tray\tevent=loaded\ttip=Lexitray"}},
    {"settings answers reach the model with backslashes kept; the window closes on OK",
     "settings fldLokaldrev C:\\\\Sager\\\\ny mappe\\\\\n"
     "settings CheckMailHistorik 0\nsettings CheckMailHistorik 1\n"
     "settings fldLokaldrev\nsettings OK\nsettings OK\n",
     {settings()},
     {"folder C:\\Sager\\ny mappe\\", "unticked", "ticked", "folder ", "OK"},
     {}},
    {"a settings window with no answer left is closed as with its close box",
     "",
     {settings()},
     {"close"},
     {"settings\tevent=closed"}},
};

TEST(ScriptedUi, AnswersAndRecordsAsTheScriptSays) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.name);
        Lines transcript;
        int idled = 0;
        ScriptedUi ui(
            c.script, [&](const Record& record) { transcript.push_back(record.toLine()); },
            [&] { ++idled; });
        Models models;
        Session session{ui, models, idled};
        for (const Step& step : c.steps) {
            step(session);
        }
        EXPECT_EQ(models.calls, c.calls);
        Lines compared;
        for (const std::string& line : transcript) {
            if (line.starts_with("mail\t") || line.starts_with("msgbox\t") ||
                line.starts_with("folder\t") || std::ranges::count(c.transcript, line) > 0) {
                compared.push_back(line);
            }
        }
        EXPECT_EQ(compared, c.transcript);
    }
}

TEST(ScriptedUi, ARecordIsOneLineWhateverTheText) {
    const Record record{"msgbox",
                        {{"title", "Lexitray"}, {"text", "a\r\nb\tc\\d\re æøå"}, {"empty", ""}}};
    const std::string line = record.toLine();
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    const Record back = Record::fromLine(line);
    EXPECT_EQ(back.kind, "msgbox");
    EXPECT_EQ(back.fields, record.fields);
    EXPECT_EQ(back.field("missing"), "");
}

} // namespace
} // namespace lexi::script
