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

    const Lines lines = logLines();
    const Lines expectedStart = {
        "Starting new instance of NaviMail Procedure", "Try to get instance of outlook",
        "No instances found , Opening up Outlook",     "Lokaldrevet er C:\\Udveksling\\",
        "Det er en Outlook version 12.0.0.4518",       "Laver tempmappe"};
    ASSERT_GE(lines.size(), expectedStart.size());
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 6), expectedStart);
    for (const std::string& line : Lines{
             "Det er ny mail", "  2 modtagere tilføjet", "Milage set to NAV", "SAVE", "Viser mail",
             "Starting procedure olMail_Send", "Mailen Uden HTML", "Subject i mail: Sag 12 - Ærø",
             "Ending procedure olMail_Send", "Starting procedure olMail_Close",
             "MailSendt has value of Trueand GemtMail has value of ", "Leder i 1 beskeder",
             "Fandt mail efter 1 forsøg.", "Mail identificeret: 'Sag 12 - Ærø'",
             "Gemmer mail i sagsmappe C:\\Sager\\Klient\\Svar.msg",
             "Callback til NAV docID " + DocumentId, "Import file",
             "Setting Post var to Nothing in NavMail Procedure"}) {
        EXPECT_TRUE(logHas(line)) << line;
    }
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

TEST_F(MailRequestTest, AFindocListIsLeftForTheDocumentPreparation) {
    writeExchangeFile("findoc.txt", "C:\\Sager\\brev.docx\r\n");
    NaviMail(context, "");
    EXPECT_TRUE(std::filesystem::exists(host("Udveksling/findoc.txt")));
    EXPECT_TRUE(logHas("Henter eventuelle dokumenter til vedhæftning"));
}

struct FooterCase {
    std::string name;
    bool html;
    std::string history; // empty: the setting is missing
    std::string version;
    std::string bodyEnd;
};

class FooterTest : public MailRequestTest, public ::testing::WithParamInterface<FooterCase> {};

TEST_P(FooterTest, EndsTheBodyAsTheSettingAndVersionSay) {
    const FooterCase& c = GetParam();
    if (!c.history.empty()) {
        settings.saveSetting("Lexitray", "Drevindstillinger", "BenytMailHistorik", c.history);
    }
    setVersion(c.version);
    // A saved draft, reopened, sent and filed where it was saved.
    const std::string path = "C:\\Sager\\Klient\\Udkast.msg";
    const ItemPtr draft = app().createItem(outlook::MailItem);
    if (c.html) {
        draft->setHtmlBody("<p>Hej</p>");
    } else {
        draft->setBody("Hej");
    }
    draft->saveAs(path);
    windows.users.push_back(ScriptedOutlookWindows::sends());
    NaviMail(context, path);
    const ItemPtr filed = savedMail(path);
    const std::string body = c.html ? filed->htmlBody() : filed->body();
    EXPECT_EQ(body, (c.html ? "<p>Hej</p>" : "Hej") + c.bodyEnd);
}

const std::string PlainFooter = "\r\n\r\n¨¨¨¨¨¨¨¨¨¨¨¨\r\nOprettet og sendt den 5. december 2026 "
                                "klokken 14.05.33 af Jens Ærø\r\r\n";
const std::string HtmlFooter = "<span style=\"FONT-FAMILY: Arial; FONT-SIZE: 8pt; COLOR: "
                               "#4c4c4c\">¨¨¨¨¨¨¨¨¨¨¨¨<br>Oprettet og sendt den 5. december 2026 "
                               "klokken 14.05.33 af Jens Ærø\r";

INSTANTIATE_TEST_SUITE_P(
    Settings, FooterTest,
    ::testing::Values(FooterCase{"PlainHistoryMissing", false, "", "12.0.0.4518", PlainFooter},
                      FooterCase{"PlainHistoryOn", false, "1", "11.0.0.8161", PlainFooter},
                      FooterCase{"PlainHistoryOff", false, "0", "12.0.0.4518", ""},
                      FooterCase{"PlainHistoryByHand", false, "ja", "12.0.0.4518", ""},
                      FooterCase{"HtmlHistoryOn", true, "1", "12.0.0.4518", HtmlFooter},
                      FooterCase{"HtmlHistoryOff", true, "0", "12.0.0.4518", ""}),
    [](const auto& info) { return info.param.name; });

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
    struct Attach final : MailEvents {
        void onSend(bool&) override {}
        void onClose(bool&) override {}
    };
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

struct ReopenCase {
    std::string name;
    std::string documentId;
    std::string answer;
    std::string question;
    std::string callback; // empty: none
    bool saved;
};

class ReopenedMailTest : public MailRequestTest,
                         public ::testing::WithParamInterface<ReopenCase> {};

TEST_P(ReopenedMailTest, AsksBeforeSavingTheChanges) {
    const ReopenCase& c = GetParam();
    const std::string path = "C:\\Sager\\Klient\\Udkast.msg";
    const ItemPtr draft = app().createItem(outlook::MailItem);
    draft->setSubject("Udkast");
    draft->setBody("Gemt tekst\r\n");
    draft->saveAs(path);
    const auto before = std::filesystem::last_write_time(host("Sager/Klient/Udkast.msg"));
    program.DocumentID = c.documentId;
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
    const auto callbackFile = host("Mail_" + c.documentId + ".txt");
    EXPECT_EQ(testing::readHostFile(callbackFile), c.callback);
    (void)before;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReopenedMailTest,
    ::testing::Values(ReopenCase{"YesWithoutDocument", "", "Yes",
                                 "Gem ændringerne? \n\nC:\\Sager\\Klient\\Udkast.msg", "", true},
                      ReopenCase{"YesWithDocument", DocumentId, "Yes", "Gem ændringerne? ",
                                 DocumentId + "\r\n1\r\n", true},
                      ReopenCase{"NoWithDocument", DocumentId, "No", "Gem ændringerne? ",
                                 DocumentId + "\r\n0\r\n", false}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace lexi
