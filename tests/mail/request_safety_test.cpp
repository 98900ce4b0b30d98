// A mail request under overlap, faults and kills: each mail in its own case,
// nothing reported as filed that is not, nothing lost.

#include "mail/requests_in_flight.h"
#include "mail/send_journal.h"
#include "platform/posix/mailstore/local_time.h"
#include "tests/mail/mail_fixture.h"

namespace lexi {
namespace {

using fake::ScriptedOutlookWindows;
using testing::DocumentId;

const std::string OtherId = "{11111111-2222-3333-4444-555555555555}";

class RequestSafetyTest : public testing::MailFixture {
protected:
    SendJournal journal{registry};
};

TEST_F(RequestSafetyTest, OverlappingRequestsFileEachMailInItsOwnCase) {
    writeExchangeFile("finmail.txt", "a@firma.dk\r\n[subject]=Sag A\r\n");
    writeCaseData("C:\\Sager\\Klient\\A.msg", DocumentId);
    MailState otherState;
    ProgramState otherProgram = program;
    MailContext other{platform, log, otherProgram, otherState};
    // While the first mail is shown, the case-management system starts a
    // request for another case, which is sent and filed first.
    windows.users.push_back([&](ComposeWindow& window) {
        writeExchangeFile("finmail.txt", "b@firma.dk\r\n[subject]=Sag B\r\n");
        writeCaseData("C:\\Sager\\Klient\\B.msg", OtherId);
        processes.self = 101;
        NaviMail(other, "");
        window.send();
    });
    windows.users.push_back(ScriptedOutlookWindows::sends());
    NaviMail(context, "");

    EXPECT_EQ(savedMail("C:\\Sager\\Klient\\A.msg")->subject(), "Sag A");
    EXPECT_EQ(savedMail("C:\\Sager\\Klient\\B.msg")->subject(), "Sag B");
    EXPECT_EQ(callback(DocumentId), DocumentId + "\r\n1\r\n");
    EXPECT_EQ(callback(OtherId), OtherId + "\r\n1\r\n");
    EXPECT_TRUE(journal.records().empty());
    EXPECT_TRUE(std::filesystem::is_empty(root.path() / "lexitray"))
        << "each request removes its own work folder";
}

// A request that fails once it has read its exchange files (a full store),
// then the next request, for the same case handed over again without files,
// or for another case.
TEST_F(RequestSafetyTest, WhatAFailedRequestTookGoesBackToItsOwnCaseOnly) {
    std::ofstream(host("Sager/bilag.txt")) << "bilag";
    // Line 4 of the next request's case, and what its window shows: to|subject|attachments.
    const std::pair<std::string, std::string> cases[] = {
        {"A", "a@firma.dk|Sag A|bilag.txt "},
        {"B", "|0001|"},
    };
    for (const auto& [next, shown] : cases) {
        SCOPED_TRACE(next);
        writeExchangeFile("finmail.txt", "a@firma.dk\r\n[subject]=Sag A\r\n");
        writeExchangeFile("findoc.txt", "C:\\Sager\\bilag.txt\r\n");
        writeCaseData("A", "");
        outlook.storage().writeFailure = "database or disk is full";
        processes.self = 100;
        NaviMail(context, "");
        ASSERT_EQ(windows.shown.size(), 0U) << "the request fails before it shows its mail";
        EXPECT_FALSE(std::filesystem::exists(host("Udveksling/finmail.txt")));

        outlook.storage().writeFailure.clear();
        writeCaseData(next, "");
        processes.self = 200;
        ui.records.clear();
        state = MailState{};
        windows.users.push_back([](ComposeWindow&) {});
        NaviMail(context, "");
        const ComposeFields& mail = windows.shown.at(0);
        std::string attached;
        for (const std::string& name : mail.attachments) {
            attached += name + " ";
        }
        EXPECT_EQ(mail.to + "|" + mail.subject + "|" + attached, shown);
        EXPECT_EQ(ui.messages(),
                  next == "A" ? std::vector<std::string>{}
                              : std::vector<std::string>{
                                    "Lexitray|48|Disse mails blev ikke lavet færdige og er ikke "
                                    "sendt:\r\n\r\n- en mail med emnet \"Sag A\" til a@firma.dk, 1 "
                                    "dokument\r\n\r\nStart dem igen fra sagen, hvis de stadig skal "
                                    "sendes."});
        EXPECT_TRUE(std::filesystem::is_empty(host("Udveksling/Lexitray")));
        windows.shown.clear();
    }
}

// A mail in Sent Items that cannot be saved where "tmp.txt" says: the user is
// told once, in Danish, and the case is not told to take it. What a missing or
// short "tmp.txt" tells, the case data tests show.
TEST_F(RequestSafetyTest, AMailThatCannotBeSavedInItsCaseIsToldOnceAndNotReported) {
    // Line 4 of "tmp.txt", the one message.
    const std::pair<std::string, std::string> cases[] = {
        {"Q:\\Sager\\A.msg",
         "Lexitray|16|Mailen kunne ikke gemmes i sagen som Q:\\Sager\\A.msg\r\n\r\nMappen "
         "Q:\\Sager findes ikke."},
        {"C:\\Sager\\Klient",
         "Lexitray|16|Mailen kunne ikke gemmes i sagen som C:\\Sager\\Klient\r\n\r\nDer ligger "
         "en mappe med det navn."},
    };
    for (const auto& [line4, told] : cases) {
        SCOPED_TRACE(line4);
        writeExchangeFile("tmp.txt", "C:\\Mangler\r\nKlient\r\n0001\r\n" + line4 + "\r\n\r\n\r\n" +
                                         DocumentId + "\r\n");
        msgfile::Message sent;
        sent.billingInformation = "MARK";
        sent.sentOn = mailstore::fromLocal(clock.now());
        outlook.storage().add(outlook::FolderSentItems, sent);
        state = MailState{};
        state.MailSendt = true;
        state.SendtMarkering = "MARK";
        ui.records.clear();
        outlook.start();
        mdMail(context).GemMail("", program.DocumentID);
        EXPECT_EQ(callback(DocumentId), "");
        EXPECT_EQ(ui.messages(), std::vector<std::string>{told});
    }
    // The same for a new mail closed without sending.
    ui.records.clear();
    state = MailState{};
    windows.users.push_back(ScriptedOutlookWindows::closes());
    NaviMail(context, "");
    EXPECT_EQ(ui.messages(), std::vector<std::string>{cases[1].second});
}

TEST_F(RequestSafetyTest, AnUndeliveredMailIsReportedAtOnceKeptAndFiledWhenSent) {
    mailstore::Account account = outlook.storage().account();
    account.smtpUrl = "smtp://localhost:2525";
    outlook.storage().setAccount(account);
    outlook.transport.refusal = "550 Modtageren findes ikke";
    writeExchangeFile("finmail.txt", "a@firma.dk\r\n[subject]=Sag A\r\n");
    writeCaseData("C:\\Sager\\Klient\\A.msg", DocumentId);
    windows.users.push_back(ScriptedOutlookWindows::sends());
    NaviMail(context, "");

    EXPECT_EQ(clock.sleptMilliseconds(), 0) << "no wait for a mail that is not on its way";
    // What the user is told, the store's tests show; here: at once, and once.
    EXPECT_EQ(ui.messages().size(), 1U);
    EXPECT_EQ(callback(DocumentId), "");
    ASSERT_EQ(journal.records().size(), 1U);

    // A later request closed without sending leaves it in the Outbox.
    windows.users.push_back(ScriptedOutlookWindows::closes());
    MailState nextState;
    MailContext next{platform, log, program, nextState};
    NaviMail(next, "C:\\Sager\\Klient\\A.msg");
    ASSERT_EQ(folderItems(outlook::FolderOutbox).count(), 1);

    // The store delivers it; the next start of the program files it.
    const ItemPtr waiting = folderItems(outlook::FolderOutbox).item(1);
    msgfile::Message delivered = *outlook.storage().message(waiting->entryId());
    delivered.sentOn = mailstore::fromLocal(clock.now());
    outlook.storage().replace(waiting->entryId(), outlook::FolderSentItems, delivered);
    processes.self = 200;
    finishRequestsInFlight(context, "lexitray.exe", InFlight::AlsoWaiting);
    EXPECT_EQ(savedMail("C:\\Sager\\Klient\\A.msg")->subject(), "Sag A");
    EXPECT_EQ(callback(DocumentId), DocumentId + "\r\n1\r\n");
    EXPECT_TRUE(journal.records().empty());
}

struct KillCase {
    const char* name;
    int folder;         // where the mail lies; 0 for nowhere
    bool markerCleared; // killed after the entry ID was noted
    bool senderRuns;    // the sending process still runs
    bool filed;
    bool kept;
    const char* log; // what the run log says became of it
};

const char* const Filed = "Afsendt mail gemmes nu i sagen som C:\\Sager\\Klient\\A.msg\n"
                          "Mail identificeret: '%'\n"
                          "Gemmer mail i sagsmappe C:\\Sager\\Klient\\A.msg\n"
                          "Callback til NAV docID {0C4E4D5A-1B2C-4D3E-8F90-A1B2C3D4E5F6}\n"
                          "Import file";

// Each case once with the starts that look only at killed requests, then with
// those that also try the Outbox, then once more: the log tells each outcome
// once.
TEST_F(RequestSafetyTest, TheNextStartFinishesWhatAKilledRequestLeft) {
    const KillCase cases[] = {
        {"killed before filing", outlook::FolderSentItems, false, false, true, false, Filed},
        {"killed while filing", outlook::FolderSentItems, true, false, true, false, Filed},
        {"waiting for delivery", outlook::FolderOutbox, false, false, false, true,
         "Mail til C:\\Sager\\Klient\\A.msg ligger i Udbakke og gemmes i sagen, når den er "
         "sendt"},
        {"never sent", 0, false, false, false, false,
         "Mail til C:\\Sager\\Klient\\A.msg blev aldrig sendt og gemmes ikke i sagen"},
        {"still running", outlook::FolderSentItems, false, true, false, true, ""},
    };
    for (const KillCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(host("Sager/Klient/A.msg"));
        std::filesystem::remove(host("Mail_" + DocumentId + ".txt"));
        for (const SendJournal::Record& left : journal.records()) {
            journal.remove(left.name);
        }
        const int startsBefore = outlook.starts;
        finishRequestsInFlight(context, "lexitray.exe", InFlight::AlsoWaiting);
        EXPECT_EQ(outlook.starts, startsBefore) << "no Outlook for an empty journal";

        msgfile::Message mail;
        mail.subject = c.name;
        mail.billingInformation = c.markerCleared ? "" : c.name;
        JournalEntry entry{"C:\\Sager\\Klient\\A.msg", DocumentId, c.name, {}};
        if (c.folder != 0) {
            const std::string id = outlook.storage().add(c.folder, mail);
            entry.entryId = c.markerCleared ? id : "";
        }
        journal.add(100, entry);
        processes.self = 300;
        processes.running = {};
        if (c.senderRuns) {
            processes.running.push_back({100, "lexitray.exe"});
        }
        for (const InFlight which :
             {InFlight::Killed, InFlight::AlsoWaiting, InFlight::AlsoWaiting}) {
            finishRequestsInFlight(context, "lexitray.exe", which);
        }
        EXPECT_EQ(callback(DocumentId) == DocumentId + "\r\n1\r\n", c.filed);
        if (c.filed) {
            EXPECT_EQ(savedMail("C:\\Sager\\Klient\\A.msg")->subject(), c.name);
        }
        EXPECT_EQ(journal.records().size(), c.kept ? 1U : 0U);
        std::string log = c.log;
        if (const std::size_t name = log.find('%'); name != std::string::npos) {
            log.replace(name, 1, c.name);
        }
        EXPECT_TRUE(logWas(log));
    }
}

} // namespace
} // namespace lexi
