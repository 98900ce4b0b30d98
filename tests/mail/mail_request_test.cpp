// Whole mail requests against the fake Outlook: composing, sending with the
// footer and the marker, closing without sending, and filing.

#include "mail/send_journal.h"
#include "platform/text.h"
#include "tests/mail/mail_fixture.h"

#include <algorithm>
#include <optional>

namespace lexi {
namespace {

using fake::ScriptedOutlookWindows;
using testing::closedLog;
using testing::DocumentId;
using testing::filedLog;
using testing::savedLog;
using testing::sendLog;
using testing::sentLog;
using testing::unsentLog;

// The footer of a plain mail sent by Jens Ærø at the fixture's time.
const std::string Footer = "\r\n\r\n¨¨¨¨¨¨¨¨¨¨¨¨\r\nOprettet og sendt den 5. december 2026 klokken "
                           "14.05.33 af Jens Ærø\r\r\n";

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

    // A request for the mail saved at the path (empty: a new one), the user acting as said.
    void request(const std::string& path, const ScriptedOutlookWindows::User& user) {
        state = MailState{};
        windows.users.push_back(user);
        NaviMail(context, path);
    }
};

TEST_F(MailRequestTest, ANewMailIsComposedSentFiledAndReported) {
    writeExchangeFile("finmail.txt", "klient@firma.dk\r\nmodpart@advokat.dk\r\n[subject]=Ærø\r\n");
    writeCaseData("C:\\Sager\\Klient\\Svar.msg", DocumentId);
    request("", ScriptedOutlookWindows::sends());
    const ItemPtr filed = savedMail("C:\\Sager\\Klient\\Svar.msg");
    EXPECT_EQ(filed->subject() + "|" + filed->billingInformation() + "|" + filed->mileage() + "|" +
                  filed->body(),
              "Ærø||NAV|\r\n\r\nMed venlig hilsen" + Footer);
    EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
    EXPECT_FALSE(state.MailSendt);
    EXPECT_TRUE(logWas(
        shownLog(newMailLog("Indsætter vedrørende\n  2 modtagere tilføjet\n"), true) +
        sentLog("Ærø", false) + filedLog("", "Ærø", "C:\\Sager\\Klient\\Svar.msg", DocumentId)));
}

TEST_F(MailRequestTest, TheFooterEndsTheBodyAsTheSettingAndVersionSay) {
    const std::string html = "<span style=\"FONT-FAMILY: Arial; FONT-SIZE: 8pt; COLOR: "
                             "#4c4c4c\">¨¨¨¨¨¨¨¨¨¨¨¨<br>Oprettet og sendt den 5. december 2026 "
                             "klokken 14.05.33 af Jens Ærø\r";
    // HTML or plain, BenytMailHistorik, version, the end of the filed body. A missing setting
    // counts as "1": the new mail above has the footer.
    const std::tuple<bool, std::string, std::string, std::string> cases[] = {
        {false, "1", "11.0.0.8161", Footer},
        {false, "0", "12.0.0.4518", ""},
        {false, "ja", "12.0.0.4518", ""},
        {true, "1", "12.0.0.4518", html},
    };
    const std::string path = "C:\\Sager\\Klient\\Udkast.msg";
    for (const auto& [html, history, version, bodyEnd] : cases) {
        SCOPED_TRACE(history + (html ? " html " : " plain ") + version);
        settings.saveSetting("Lexitray", "Drevindstillinger", "BenytMailHistorik", history);
        setVersion(version);
        // A saved draft, reopened, sent and filed where it was saved.
        const ItemPtr draft = app().createItem(outlook::MailItem);
        html ? draft->setHtmlBody("<p>Hej</p>") : draft->setBody("Hej");
        draft->saveAs(path);
        request(path, ScriptedOutlookWindows::sends());
        const ItemPtr filed = savedMail(path);
        EXPECT_EQ(html ? filed->htmlBody() : filed->body(),
                  (html ? "<p>Hej</p>" : "Hej") + bodyEnd);
        EXPECT_TRUE(logWas(shownLog(std::string(ReopenedMailLog) + NoCaseNumberLog) +
                           sentLog("", html) + filedLog(path, "", path, "")));
    }
}

TEST_F(MailRequestTest, TheMarkerAndThePlaceOfAttachmentsFollowTheVersion) {
    std::ofstream(host("Sager/bilag.pdf")) << "pdf";
    for (const std::string version : {"11.0.0.8161", "10.0.2627.1"}) {
        setVersion(version);
        state = MailState{};
        const ItemPtr mail = app().createItem(outlook::MailItem);
        mail->setBody("Kære Ærø");
        mail->attachments().add("C:\\Sager\\bilag.pdf", 1, -1, "bilag");
        mail->saveAs("C:\\Sager\\udkast.msg");
        windows.users.push_back(ScriptedOutlookWindows::sends());
        mdMail(context).SendMail("C:\\Sager\\udkast.msg", "");
        const ItemPtr sent = folderItems(outlook::FolderSentItems).item(1);
        const bool before11 = version.starts_with("10");
        EXPECT_EQ(sent->billingInformation(), state.SendtMarkering);
        EXPECT_EQ(state.SendtMarkering, before11 ? "14:05:33" : sent->entryId());
        // Before 11 the attachment goes behind the body with the footer, counted in characters;
        // from 11 it stays where it was added.
        EXPECT_EQ(sent->attachments().item(1)->position(),
                  before11 ? static_cast<int>(text::utf16Length(sent->body())) + 1 : -1);
        folderItems(outlook::FolderSentItems).remove(1);
    }
}

// A new mail, closed without sending: the recipients go to To or Bcc, the
// subject is the case number without one, and the mail is saved in the case
// unless tagged as sent.
TEST_F(MailRequestTest, ANewMailClosedWithoutSendingIsSavedInTheCaseUnlessTaggedAsSent) {
    const std::string tagged = "Starting procedure olMail_Close\n"
                               "Bruger sender sikkert\n"
                               "Vedrørende 1 = Sag 12 {SIKKER}\n"
                               "Removing Tags\n"
                               "Error Removing tags resuming with original subject\n"
                               "Vedrørende 2 = Sag 12 {SIKKER}\n"
                               "Ending procedure olMail_Close\n"
                               "MailSendt has value of Trueand GemtMail has value of \n"
                               "Checker om mail kan findes i 'Sendt Post'\n"
                               "Finder gemmesti\n"
                               "Mailen har ingen markering og kan ikke findes i 'Sendt Post'\n"
                               "Setting Post var to Nothing in NavMail Procedure";
    const std::string brev = "C:\\Sager\\Klient\\0001\\Brev.msg",
                      svar = "C:\\Sager\\Klient\\Svar.msg";
    const struct {
        bool bcc;
        std::optional<std::string> finmail; // none: no file
        std::string line4, documentId;      // of the case
        std::string shown;                  // to|bcc|subject
        std::string recipientLines;         // of the log
        std::string saved;                  // where; empty: nowhere
    } cases[] = {
        {false, "a@x.dk\r\nb@x.dk\r\n[subject]=Sag\r\n", "Brev", "", "a@x.dk; b@x.dk||Sag",
         "Indsætter vedrørende\n  2 modtagere tilføjet\n", brev},
        {true, "a@x.dk\r\nb@x.dk\r\n", "Brev", "", "|a@x.dk; b@x.dk|0001",
         "  2 modtagere tilføjet\nFinder og indsætter vedrørende\n", brev},
        {false, std::nullopt, "Brev", "", "||0001",
         "Fil med modtagere findes ikke (finmail.txt)\nFinder og indsætter vedrørende\n", brev},
        {false, "", svar, DocumentId, "||0001",
         "  0 modtagere tilføjet\nFinder og indsætter vedrørende\n", svar},
        {false, "[subject]=Sag 12 {SIKKER}\r\n", "Brev", DocumentId, "||Sag 12 {SIKKER}",
         "Indsætter vedrørende\n  0 modtagere tilføjet\n", ""},
    };
    bool first = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        program.BccModtagere = c.bcc;
        if (c.finmail) {
            writeExchangeFile("finmail.txt", *c.finmail);
        }
        writeCaseData(c.line4, c.documentId);
        std::filesystem::remove(host("Mail_" + DocumentId + ".txt"));
        request("", ScriptedOutlookWindows::closes());
        const auto& shown = windows.shown.back();
        EXPECT_EQ(shown.to + "|" + shown.bcc + "|" + shown.subject, c.shown);
        EXPECT_TRUE(c.saved.empty() || savedMail(c.saved)->sentOn() == outlook::Never);
        EXPECT_EQ(callback(),
                  c.saved.empty() || c.documentId.empty() ? "" : DocumentId + "\r\n1\r\n");
        EXPECT_TRUE(logWas(shownLog(newMailLog(c.recipientLines), std::exchange(first, false)) +
                           (c.saved.empty() ? tagged
                                            : closedLog(savedLog(c.saved, !c.documentId.empty())) +
                                                  unsentLog(""))));
    }
}

TEST_F(MailRequestTest, AReopenedMailAsksBeforeSavingTheChanges) {
    // Document ID, answer, question, callback file (empty: none), whether the change is saved,
    // the log's lines of the answer.
    const std::string path = "C:\\Sager\\Klient\\Udkast.msg";
    const std::tuple<std::string, std::string, std::string, std::string, bool, std::string>
        cases[] = {
            {"", "Yes", "Gem ændringerne? \n\n" + path, "", true,
             askedLog("", true) + savedLog(path, false)},
            {DocumentId, "Yes", "Gem ændringerne? ", DocumentId + "\r\n1\r\n", true,
             askedLog(DocumentId, true) + savedLog(path, true)},
            {DocumentId, "No", "Gem ændringerne? ", DocumentId + "\r\n0\r\n", false,
             askedLog(DocumentId, false) + "Ignore file\n"},
        };
    for (const auto& [documentId, answer, question, written, saved, answered] : cases) {
        const ItemPtr draft = app().createItem(outlook::MailItem);
        draft->setSubject("Udkast");
        draft->setBody("Gemt tekst\r\n");
        draft->saveAs(path);
        program.DocumentID = documentId;
        ui.records.clear();
        ui.addAnswers("msgbox " + answer + "\n");
        request(path, [](ComposeWindow& window) {
            window.setSubject("Udkast, rettet");
            window.close();
        });
        // The saved body comes back without a signature.
        EXPECT_EQ(windows.shown.back().body, "Gemt tekst\r\n");
        EXPECT_EQ(ui.messages(), std::vector<std::string>{"Lexitray|4132|" + question});
        EXPECT_EQ(savedMail(path)->subject() == "Udkast, rettet", saved);
        EXPECT_EQ(callback(), written);
        EXPECT_TRUE(logWas(shownLog(ReopenedMailLog) + closedLog(answered) + unsentLog(path)));
    }
}

// The store refuses the Send (a recipient without an address, or a full
// store; what the user is told, the store's tests show), and the user then
// closes the mail: it is saved in the case as if Send had never been pressed,
// the new mail at once, the reopened one when the user says so.
TEST_F(MailRequestTest, AMailWhoseSendWasRefusedIsSavedInTheCaseWhenClosed) {
    const std::string path = "C:\\Sager\\Klient\\Svar.msg";
    for (const bool reopened : {false, true}) {
        // The new mail is refused for its recipient, the reopened one by a full store.
        const bool fullStore = reopened;
        SCOPED_TRACE(reopened ? "reopened, full" : "new");
        std::filesystem::remove(host("Sager/Klient/Svar.msg"));
        std::filesystem::remove(host("Mail_" + DocumentId + ".txt"));
        program.DocumentID = DocumentId;
        if (reopened) {
            const ItemPtr draft = app().createItem(outlook::MailItem);
            draft->setSubject("Svar");
            draft->saveAs(path);
            ui.addAnswers("msgbox Yes\n");
        } else {
            writeExchangeFile("finmail.txt", "[subject]=Svar\r\n");
            writeCaseData(path, DocumentId);
        }
        ui.records.clear();
        request(reopened ? path : "", [&](ComposeWindow& window) {
            window.setBody("Tekst");
            window.setTo(fullStore ? "klient@firma.dk" : "Ukendt Person");
            outlook.storage().writeFailure = fullStore ? "database or disk is full" : "";
            window.send();
            outlook.storage().writeFailure.clear();
            window.close();
        });
        const ItemPtr saved = savedMail(path);
        EXPECT_EQ(saved->body() + "|" + saved->billingInformation(), "Tekst|");
        EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
        EXPECT_FALSE(state.MailSendt);
        EXPECT_TRUE(SendJournal(registry).records().empty());
        EXPECT_EQ(ui.messages().size(), reopened ? 2U : 1U);
        EXPECT_TRUE(logWas(
            shownLog(reopened ? ReopenedMailLog
                              : newMailLog("Indsætter vedrørende\n"
                                           "  0 modtagere tilføjet\n"),
                     !reopened) +
            (fullStore ? sendLog("Svar", false) + "Mailen blev ikke sendt og er stadig åben\n"
                       : "") +
            closedLog((reopened ? askedLog(DocumentId, true) : "") + savedLog(path, true)) +
            unsentLog(reopened ? path : "")));
    }
}

TEST_F(MailRequestTest, DocumentsThatCannotBeAttachedAreNamedOnceAndTheMailGoesWithTheRest) {
    for (const char* name : {"bilag.pdf", "lukket.txt", "brev.docx"}) {
        std::ofstream(host("Sager/" + std::string(name))) << name;
    }
    writeExchangeFile("findoc.txt", "C:\\Sager\\bilag.pdf\r\nC:\\Sager\\væk.pdf\r\n"
                                    "C:\\Sager\\lukket.txt\r\nC:\\Sager\\brev.docx\r\n");
    writeCaseData("C:\\Sager\\Klient\\Svar.msg", DocumentId);
    ui.addAnswers("naming OK\nnaming OK\nnaming close\nnaming chkClean 1\nnaming OK\n");
    request("", ScriptedOutlookWindows::sends());
    const ItemPtr filed = savedMail("C:\\Sager\\Klient\\Svar.msg");
    ASSERT_EQ(filed->attachments().count(), 1);
    EXPECT_EQ(filed->attachments().item(1)->displayName(), "bilag.pdf");
    EXPECT_EQ(
        std::ranges::count(
            ui.messages(),
            std::string("Lexitray|48|Disse dokumenter er ikke vedhæftet mailen:\r\n\r\n"
                        "C:\\Sager\\lukket.txt (du lukkede vinduet uden at vælge OK)\r\n"
                        "C:\\Sager\\brev.docx (den kunne ikke renses for skjulte oplysninger)\r\n"
                        "C:\\Sager\\væk.pdf (filen findes ikke)")),
        1);
    EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
    EXPECT_TRUE(std::ranges::any_of(logLines(), [](const std::string& line) {
        return line.starts_with("fandt ikke: ") && line.ends_with("\\væk.pdf");
    }));
}

} // namespace
} // namespace lexi
