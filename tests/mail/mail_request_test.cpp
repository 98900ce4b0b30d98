// Whole mail requests against the fake Outlook: composing, sending with the
// footer and the marker, closing without sending, and filing.

#include "platform/text.h"
#include "tests/mail/mail_fixture.h"

namespace lexi {
namespace {

using fake::ScriptedOutlookWindows;
using testing::DocumentId;

class MailRequestTest : public testing::MailFixture {
protected:
    MailRequestTest() { setVersion("12.0.0.4518"); }

    void setVersion(const std::string& version) {
        mailstore::Account account;
        account.displayName = "Jens Ærø";
        account.signature = "Med venlig hilsen";
        account.version = version;
        outlook.storage().setAccount(account);
    }

    ItemPtr savedMail(const std::string& path) { return app().createItemFromTemplate(path); }
    std::string callback() { return testing::readHostFile(host("Mail_" + DocumentId + ".txt")); }
};

TEST_F(MailRequestTest, ANewMailIsComposedSentFiledAndReported) {
    writeExchangeFile("finmail.txt", "klient@firma.dk\r\nmodpart@advokat.dk\r\n[subject]=Ærø\r\n");
    writeCaseData("C:\\Sager\\Klient\\Svar.msg", DocumentId);
    windows.users.push_back(ScriptedOutlookWindows::sends());
    NaviMail(context, "");

    EXPECT_FALSE(std::filesystem::exists(host("Udveksling/finmail.txt")));
    const ItemPtr filed = savedMail("C:\\Sager\\Klient\\Svar.msg");
    EXPECT_EQ(filed->subject() + "|" + filed->billingInformation() + "|" + filed->mileage() + "|" +
                  filed->body(),
              "Ærø||NAV|\r\n\r\nMed venlig hilsen\r\n\r\n¨¨¨¨¨¨¨¨¨¨¨¨\r\nOprettet og sendt den "
              "5. december 2026 klokken 14.05.33 af Jens Ærø\r\r\n");
    EXPECT_EQ(filed->sentOn(), (LocalDateTime{2026, 12, 5, 14, 5, 33}));
    EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
    EXPECT_FALSE(state.MailSendt);
    EXPECT_EQ(folderItems(outlook::FolderDrafts).count(), 0);
    EXPECT_TRUE(logHas(R"(Starting new instance of NaviMail Procedure
Try to get instance of outlook
No instances found , Opening up Outlook
Lokaldrevet er C:\Udveksling\
Det er en Outlook version 12.0.0.4518
Laver tempmappe
Det er ny mail
  2 modtagere tilføjet
Milage set to NAV
SAVE
Viser mail
Starting procedure olMail_Send
Mailen Uden HTML
Subject i mail: Ærø
Ending procedure olMail_Send
Starting procedure olMail_Close
MailSendt has value of Trueand GemtMail has value of 
Gemmer mail i sagsmappe C:\Sager\Klient\Svar.msg
Callback til NAV docID {0C4E4D5A-1B2C-4D3E-8F90-A1B2C3D4E5F6}
Setting Post var to Nothing in NavMail Procedure)"));
}

TEST_F(MailRequestTest, TheRecipientsGoToToOrBccAndTheSubjectIsTheCaseNumberWithoutOne) {
    const struct {
        bool bcc;
        std::string file, shown; // file empty: none; shown: "to|bcc|subject|body"
    } cases[] = {
        {false, "a@x.dk\r\nb@x.dk\r\n[subject]=Sag\r\n",
         "a@x.dk; b@x.dk||Sag|\r\n\r\nMed venlig hilsen"},
        {true, "a@x.dk\r\nb@x.dk\r\n", "|a@x.dk; b@x.dk|0001|\r\n\r\nMed venlig hilsen"},
        {false, "", "||0001|\r\n\r\nMed venlig hilsen"},
    };
    for (const auto& c : cases) {
        program.BccModtagere = c.bcc;
        if (!c.file.empty()) {
            writeExchangeFile("finmail.txt", c.file);
        }
        writeCaseData("Brev", "");
        windows.shown.clear();
        state = MailState{};
        NaviMail(context, "");
        const auto& shown = windows.shown.at(0);
        EXPECT_EQ(shown.to + "|" + shown.bcc + "|" + shown.subject + "|" + shown.body, c.shown);
    }
    EXPECT_TRUE(logHas("Fil med modtagere findes ikke (finmail.txt)\n"
                       "Finder og indsætter vedrørende"));
}

TEST_F(MailRequestTest, TheFooterEndsTheBodyAsTheSettingAndVersionSay) {
    const std::string plain = "\r\n\r\n¨¨¨¨¨¨¨¨¨¨¨¨\r\nOprettet og sendt den 5. december 2026 "
                              "klokken 14.05.33 af Jens Ærø\r\r\n";
    const std::string html = "<span style=\"FONT-FAMILY: Arial; FONT-SIZE: 8pt; COLOR: "
                             "#4c4c4c\">¨¨¨¨¨¨¨¨¨¨¨¨<br>Oprettet og sendt den 5. december 2026 "
                             "klokken 14.05.33 af Jens Ærø\r";
    const struct {
        bool html;
        std::string history; // empty: the setting is missing
        std::string version, bodyEnd;
    } cases[] = {
        {false, "", "12.0.0.4518", plain}, {false, "1", "11.0.0.8161", plain},
        {false, "0", "12.0.0.4518", ""},   {false, "ja", "12.0.0.4518", ""},
        {true, "1", "12.0.0.4518", html},  {true, "0", "12.0.0.4518", ""},
    };
    const std::string path = "C:\\Sager\\Klient\\Udkast.msg";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.history + (c.html ? " html " : " plain ") + c.version);
        if (!c.history.empty()) {
            settings.saveSetting("Lexitray", "Drevindstillinger", "BenytMailHistorik", c.history);
        }
        setVersion(c.version);
        // A saved draft, reopened, sent and filed where it was saved.
        const ItemPtr draft = app().createItem(outlook::MailItem);
        c.html ? draft->setHtmlBody("<p>Hej</p>") : draft->setBody("Hej");
        draft->saveAs(path);
        windows.users.push_back(ScriptedOutlookWindows::sends());
        state = MailState{};
        NaviMail(context, path);
        const ItemPtr filed = savedMail(path);
        EXPECT_EQ(c.html ? filed->htmlBody() : filed->body(),
                  (c.html ? "<p>Hej</p>" : "Hej") + c.bodyEnd);
    }
}

TEST_F(MailRequestTest, TheMarkerIsTheEntryIdFromVersion11AndTheTimeBefore) {
    for (const std::string version : {"11.0.0.8161", "10.0.2627.1"}) {
        setVersion(version);
        state = MailState{};
        windows.users.push_back(ScriptedOutlookWindows::sends());
        mdMail(context).SendMail("", "");
        const ItemPtr sent = folderItems(outlook::FolderSentItems).item(1);
        EXPECT_TRUE(state.MailSendt);
        EXPECT_EQ(sent->billingInformation(), state.SendtMarkering);
        EXPECT_EQ(state.SendtMarkering, version.starts_with("11") ? sent->entryId() : "14:05:33");
        folderItems(outlook::FolderSentItems).remove(1);
    }
}

TEST_F(MailRequestTest, OutlookBefore11PlacesAttachmentsBehindTheBody) {
    setVersion("10.0.2627.1");
    std::ofstream(host("Sager/bilag.pdf")) << "pdf";
    windows.users.push_back(ScriptedOutlookWindows::sends());
    const ItemPtr mail = app().createItem(outlook::MailItem);
    mail->setBody("Kære Ærø");
    mail->attachments().add("C:\\Sager\\bilag.pdf", 1, -1, "bilag");
    mail->save();
    mail->setEvents(nullptr);
    mail->saveAs("C:\\Sager\\udkast.msg");
    mdMail(context).SendMail("C:\\Sager\\udkast.msg", "");
    const ItemPtr sent = folderItems(outlook::FolderSentItems).item(1);
    // The body with the footer, counted in characters, plus one.
    EXPECT_EQ(sent->attachments().item(1)->position(),
              static_cast<int>(text::utf16Length(sent->body())) + 1);
}

TEST_F(MailRequestTest, ANewMailClosedWithoutSendingIsSavedInTheCase) {
    for (const std::string& documentId : {std::string(), DocumentId}) {
        state = MailState{};
        writeCaseData(documentId.empty() ? "Brev" : "C:\\Sager\\Klient\\Svar.msg", documentId);
        windows.users.push_back(ScriptedOutlookWindows::closes());
        NaviMail(context, "");
        EXPECT_EQ(savedMail(documentId.empty() ? "C:\\Sager\\Klient\\0001\\Brev.msg"
                                               : "C:\\Sager\\Klient\\Svar.msg")
                      ->sentOn(),
                  outlook::Never);
        EXPECT_EQ(callback(), documentId.empty() ? "" : DocumentId + "\r\n1\r\n");
    }
    EXPECT_TRUE(logHas("Bruger afslutter uden at sende\n"
                       "MailSendt has value of Falseand GemtMail has value of \n"
                       "Starting procedure EmptyOutbox"));
}

TEST_F(MailRequestTest, ATaggedSubjectCountsAsSentAndFilesNothing) {
    writeExchangeFile("finmail.txt", "[subject]=Sag 12 {SIKKER}\r\n");
    writeCaseData("Brev", DocumentId);
    windows.users.push_back(ScriptedOutlookWindows::closes());
    NaviMail(context, "");
    EXPECT_TRUE(logHas(R"(Bruger sender sikkert
Vedrørende 1 = Sag 12 {SIKKER}
Vedrørende 2 = Sag 12 {SIKKER}
Mailen har ingen markering og kan ikke findes i 'Sendt Post')"));
    EXPECT_EQ(callback(), "");
}

TEST_F(MailRequestTest, AReopenedMailAsksBeforeSavingTheChanges) {
    const struct {
        std::string documentId, answer, question, callback; // callback empty: none
        bool saved;
    } cases[] = {
        {"", "Yes", "Gem ændringerne? \n\nC:\\Sager\\Klient\\Udkast.msg", "", true},
        {DocumentId, "Yes", "Gem ændringerne? ", DocumentId + "\r\n1\r\n", true},
        {DocumentId, "No", "Gem ændringerne? ", DocumentId + "\r\n0\r\n", false},
    };
    const std::string path = "C:\\Sager\\Klient\\Udkast.msg";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer + " " + c.documentId);
        const ItemPtr draft = app().createItem(outlook::MailItem);
        draft->setSubject("Udkast");
        draft->setBody("Gemt tekst\r\n");
        draft->saveAs(path);
        std::filesystem::remove(host("Mail_" + DocumentId + ".txt"));
        program.DocumentID = c.documentId;
        state = MailState{};
        ui.records.clear();
        windows.shown.clear();
        ui.addAnswers("msgbox " + c.answer + "\n");
        windows.users.push_back([](ComposeWindow& window) {
            window.setSubject("Udkast, rettet");
            window.close();
        });
        NaviMail(context, path);
        // The saved body comes back without a signature.
        EXPECT_EQ(windows.shown.at(0).body, "Gemt tekst\r\n");
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"Lexitray|4132|" + c.question});
        EXPECT_EQ(savedMail(path)->subject() == "Udkast, rettet", c.saved);
        EXPECT_EQ(callback(), c.callback);
    }
}

} // namespace
} // namespace lexi
