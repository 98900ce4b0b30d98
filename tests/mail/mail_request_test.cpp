// Whole mail requests against the fake Outlook: composing, sending with the
// footer and the marker, closing without sending, and filing.

#include "platform/text.h"
#include "tests/mail/mail_fixture.h"

namespace lexi {
namespace {

using testing::DocumentId;
using Lines = std::vector<std::string>;
using fake::ScriptedOutlookWindows;

class MailRequestTest : public testing::MailFixture {
protected:
    MailRequestTest() {
        mailstore::Account account;
        account.displayName = "Jens Ærø";
        account.signature = "Med venlig hilsen";
        outlook.storage().setAccount(account);
    }

    void setVersion(const std::string& version) {
        mailstore::Account account = outlook.storage().account();
        account.version = version;
        outlook.storage().setAccount(account);
    }

    ItemPtr onlyItem(int folder) {
        OutlookItems& found = folderItems(folder);
        EXPECT_EQ(found.count(), 1);
        return found.count() == 1 ? found.item(1) : nullptr;
    }

    // The mail saved in the case, read back.
    ItemPtr savedMail(const std::string& path) { return app().createItemFromTemplate(path); }
};

TEST_F(MailRequestTest, ANewMailIsComposedSentFiledAndReported) {
    writeExchangeFile("finmail.txt",
                      "klient@firma.dk\r\nmodpart@advokat.dk\r\n[subject]=Sag 12 - Ærø\r\n");
    writeCaseData("C:\\Sager\\Klient\\Svar.msg", DocumentId);
    windows.users.push_back(ScriptedOutlookWindows::sends());
    NaviMail(context, "");

    EXPECT_FALSE(std::filesystem::exists(host("Udveksling/finmail.txt")));
    ASSERT_EQ(windows.shown.size(), 1U);
    EXPECT_EQ(windows.shown[0].to, "klient@firma.dk; modpart@advokat.dk");
    EXPECT_EQ(windows.shown[0].subject, "Sag 12 - Ærø");
    EXPECT_EQ(windows.shown[0].body, "\r\n\r\nMed venlig hilsen");

    const ItemPtr filed = savedMail("C:\\Sager\\Klient\\Svar.msg");
    EXPECT_EQ(filed->subject(), "Sag 12 - Ærø");
    EXPECT_EQ(filed->billingInformation(), "");
    EXPECT_EQ(filed->mileage(), "NAV");
    EXPECT_EQ(filed->sentOn(), (LocalDateTime{2026, 12, 5, 14, 5, 33}));
    EXPECT_EQ(filed->body(),
              "\r\n\r\nMed venlig hilsen\r\n\r\n¨¨¨¨¨¨¨¨¨¨¨¨\r\nOprettet og sendt den "
              "5. december 2026 klokken 14.05.33 af Jens Ærø\r\r\n");
    EXPECT_EQ(testing::readHostFile(host("Mail_" + DocumentId + ".txt")), DocumentId + "\r\n1\r\n");
    EXPECT_FALSE(state.MailSendt);
    EXPECT_TRUE(state.SendtMarkering.empty());
    EXPECT_EQ(folderItems(outlook::FolderDrafts).count(), 0);

    EXPECT_TRUE(logHasInOrder(R"(Starting new instance of NaviMail Procedure
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
Subject i mail: Sag 12 - Ærø
Ending procedure olMail_Send
Starting procedure olMail_Close
MailSendt has value of Trueand GemtMail has value of 
Leder i 1 beskeder
Fandt mail efter 1 forsøg.
Mail identificeret: 'Sag 12 - Ærø'
Gemmer mail i sagsmappe C:\Sager\Klient\Svar.msg
Callback til NAV docID {0C4E4D5A-1B2C-4D3E-8F90-A1B2C3D4E5F6}
Import file
Setting Post var to Nothing in NavMail Procedure)"));
}

TEST_F(MailRequestTest, BlindCopyRecipientsGoToBcc) {
    program.BccModtagere = true;
    writeExchangeFile("finmail.txt", "a@x.dk\r\nb@x.dk\r\n");
    NaviMail(context, "");
    ASSERT_EQ(windows.shown.size(), 1U);
    EXPECT_EQ(windows.shown[0].to, "");
    EXPECT_EQ(windows.shown[0].bcc, "a@x.dk; b@x.dk");
}

TEST_F(MailRequestTest, WithoutRecipientsTheCaseNumberBecomesTheSubject) {
    writeCaseData("Brev", "");
    NaviMail(context, "");
    EXPECT_TRUE(logHas("Fil med modtagere findes ikke (finmail.txt)"));
    EXPECT_TRUE(logHas("Finder og indsætter vedrørende"));
    EXPECT_EQ(windows.shown.at(0).subject, "0001");
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.history + (c.html ? " html " : " plain ") + c.version);
        if (!c.history.empty()) {
            settings.saveSetting("Lexitray", "Drevindstillinger", "BenytMailHistorik", c.history);
        }
        setVersion(c.version);
        // A saved draft, reopened, sent and filed where it was saved.
        const std::string path = "C:\\Sager\\Klient\\Udkast.msg";
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
    for (const auto& [version, expectEntryId] :
         {std::pair<std::string, bool>{"11.0.0.8161", true}, {"10.0.2627.1", false}}) {
        setVersion(version);
        state = MailState{};
        windows.users.push_back(ScriptedOutlookWindows::sends());
        mdMail(context).SendMail("", "");
        const ItemPtr sent = folderItems(outlook::FolderSentItems).item(1);
        EXPECT_EQ(sent->billingInformation(), state.SendtMarkering);
        if (expectEntryId) {
            EXPECT_EQ(state.SendtMarkering, sent->entryId()) << version;
        } else {
            EXPECT_EQ(state.SendtMarkering, "14:05:33") << version;
        }
        EXPECT_TRUE(state.MailSendt);
        folderItems(outlook::FolderSentItems).remove(1);
    }
}

TEST_F(MailRequestTest, OutlookBefore11PlacesAttachmentsBehindTheBody) {
    setVersion("10.0.2627.1");
    std::ofstream(host("Sager/bilag.pdf")) << "pdf";
    windows.users.push_back([&](ComposeWindow& window) { window.send(); });
    mdMail post(context);
    // A mail with one attachment, sent through the handler.
    const ItemPtr mail = app().createItem(outlook::MailItem);
    mail->setBody("Kære Ærø");
    mail->attachments().add("C:\\Sager\\bilag.pdf", 1, -1, "bilag");
    mail->save();
    mail->setEvents(nullptr);
    const std::string path = "C:\\Sager\\udkast.msg";
    mail->saveAs(path);
    post.SendMail(path, "");
    const ItemPtr sent = folderItems(outlook::FolderSentItems).item(1);
    // "Kære Ærø" + footer, counted in characters, plus one.
    EXPECT_EQ(sent->attachments().item(1)->position(),
              static_cast<int>(text::utf16Length(sent->body())) + 1);
}

TEST_F(MailRequestTest, ANewMailClosedWithoutSendingIsSavedInTheCase) {
    for (const std::string& documentId : {std::string(), DocumentId}) {
        state = MailState{};
        writeCaseData(documentId.empty() ? "Brev" : "C:\\Sager\\Klient\\Svar.msg", documentId);
        windows.users.push_back(ScriptedOutlookWindows::closes());
        NaviMail(context, "");
        const std::string saved = documentId.empty() ? "C:\\Sager\\Klient\\0001\\Brev.msg"
                                                     : "C:\\Sager\\Klient\\Svar.msg";
        EXPECT_EQ(savedMail(saved)->sentOn(), outlook::Never);
        EXPECT_EQ(std::filesystem::exists(host("Mail_" + DocumentId + ".txt")),
                  !documentId.empty());
    }
    EXPECT_TRUE(logHas("Bruger afslutter uden at sende"));
    EXPECT_TRUE(logHas("MailSendt has value of Falseand GemtMail has value of "));
    EXPECT_TRUE(logHas("Starting procedure EmptyOutbox"));
}

TEST_F(MailRequestTest, ATaggedSubjectCountsAsSentAndFilesNothing) {
    writeExchangeFile("finmail.txt", "[subject]=Sag 12 {SIKKER}\r\n");
    writeCaseData("Brev", DocumentId);
    windows.users.push_back(ScriptedOutlookWindows::closes());
    NaviMail(context, "");
    EXPECT_TRUE(logHas("Bruger sender sikkert"));
    EXPECT_TRUE(logHas("Vedrørende 1 = Sag 12 {SIKKER}"));
    EXPECT_TRUE(logHas("Vedrørende 2 = Sag 12 {SIKKER}"));
    EXPECT_TRUE(logHas("Mailen har ingen markering og kan ikke findes i 'Sendt Post'"));
    EXPECT_FALSE(std::filesystem::exists(host("Mail_" + DocumentId + ".txt")));
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
        ASSERT_EQ(windows.shown.size(), 1U);
        EXPECT_EQ(windows.shown[0].body, "Gemt tekst\r\n") << "the saved body, without a signature";
        EXPECT_EQ(ui.messages(), Lines{"Lexitray|4132|" + c.question});
        EXPECT_EQ(savedMail(path)->subject() == "Udkast, rettet", c.saved);
        EXPECT_EQ(testing::readHostFile(host("Mail_" + DocumentId + ".txt")), c.callback);
    }
}

} // namespace
} // namespace lexi
