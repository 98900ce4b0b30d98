// Finding the sent mail in Sent Items, and whether a saved mail was sent.

#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/msgfile/message_file.h"
#include "tests/mail/mail_fixture.h"
#include "tests/msgfile/sample_files.h"

#include <gmock/gmock.h>

namespace lexi {
namespace {

using testing::DocumentId;

class FilingTest : public testing::MailFixture {
protected:
    FilingTest() {
        outlook.start();
        state.MailSendt = true;
        state.SendtMarkering = "MARK";
        writeCaseData("C:\\Sager\\Klient\\Brev.msg", DocumentId);
    }

    // A mail in Sent Items, sent at 14:00 today unless said, with this billing information.
    void sentMail(const std::string& subject, const std::string& billing,
                  LocalDateTime sentOn = {2026, 12, 5, 14, 0, 0}) {
        msgfile::Message message;
        message.subject = subject;
        message.billingInformation = billing;
        message.sentOn = mailstore::fromLocal(sentOn);
        outlook.storage().add(outlook::FolderSentItems, message);
    }

    void file() { mdMail(context).GemMail("", program.DocumentID); }

    // The lines of the search's start, and of the filing of the mail found.
    const std::string Searching = "Checker om mail kan findes i 'Sendt Post'\nFinder gemmesti\n";
    static std::string filed(const std::string& subject) {
        return "Mail identificeret: '" + subject +
               "'\nGemmer mail i sagsmappe C:\\Sager\\Klient\\Brev.msg\nCallback til NAV docID " +
               DocumentId + "\nImport file";
    }
};

TEST_F(FilingTest, SearchesFromTheLastPositionDownInMailSentSinceTheBound) {
    sentMail("for gammel", "MARK", {2026, 12, 5, 13, 50, 0});
    sentMail("den rigtige", "MARK");
    sentMail("anden", "x");
    sentMail("tredje", "y");
    state.MailSendt = false;
    file();
    EXPECT_TRUE(logLines().empty()) << "an unsent mail is not looked for";
    state.MailSendt = true;
    file();
    EXPECT_TRUE(logWas(Searching + "Leder i 3 beskeder\nFandt mail efter 3 forsøg.\n" +
                       filed("den rigtige")));
    EXPECT_EQ(savedMail("C:\\Sager\\Klient\\Brev.msg")->subject(), "den rigtige");
    // The marker is taken off the mail and forgotten.
    EXPECT_EQ(folderItems(outlook::FolderSentItems).item(2)->billingInformation(), "");
    EXPECT_TRUE(state.SendtMarkering.empty());
    EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
}

TEST_F(FilingTest, StartsAgainWhenTheSentMailArrivesDuringTheSearch) {
    sentMail("anden", "x");
    sentMail("tredje", "y");
    outlook.storage().delayArrivals(outlook::FolderSentItems, 5);
    sentMail("den rigtige", "MARK");
    file();
    EXPECT_TRUE(logWas(Searching +
                       "Leder i 2 beskeder\n+Har ledt i alle beskeder. Starter forfra.\n"
                       "  Antallet af beskeder har ændret sig. Leder nu i 3 beskeder\n"
                       "~Fandt mail efter [0-9]+ forsøg.\n" +
                       filed("den rigtige")));
    EXPECT_EQ(savedMail("C:\\Sager\\Klient\\Brev.msg")->subject(), "den rigtige");
    EXPECT_GT(clock.sleptMilliseconds(), 0) << "the search pauses between its passes";
}

// How the search goes over the mails again, the test above shows.
TEST_F(FilingTest, GivesUpAfter400SecondsWithAMessage) {
    const LocalDateTime start = clock.now();
    file();
    EXPECT_TRUE(logWas(Searching + "Fik timeout, kunne ikke finde serveren på 400 sekunder"));
    EXPECT_EQ(ui.messages().back(), "Lexitray|16|Mailen blev ikke gemt på grund af en timeout "
                                    "fejl. Serveren svarer ikke.");
    EXPECT_NEAR(secondsBetween(start, clock.now()), 405, 5);
    EXPECT_FALSE(std::filesystem::exists(host("Sager/Klient/Brev.msg")));
}

TEST_F(FilingTest, EmptyingTheOutboxRemovesOnlyTheProgramsOwnMail) {
    for (const std::string mileage : {"NAV", "", "NAV", "andet"}) {
        msgfile::Message message;
        message.mileage = mileage;
        outlook.storage().add(outlook::FolderOutbox, message);
    }
    mdMail post(context);
    post.SendMail("", "");
    post.EmptyOutbox();
    OutlookItems& outbox = folderItems(outlook::FolderOutbox);
    ASSERT_EQ(outbox.count(), 2);
    EXPECT_EQ(outbox.item(1)->mileage() + "|" + outbox.item(2)->mileage(), "|andet");
    EXPECT_TRUE(logHas("Starting procedure EmptyOutbox\nEnding procedure EmptyOutbox"));
}

using SavedMailTest = testing::MailFixture;

TEST_F(SavedMailTest, TellsSentFromUnsentMail) {
    SKIP_WITHOUT_SAMPLES();
    const std::string samples =
        files.drives().toWindows(std::filesystem::weakly_canonical(sampleDirectory()).string());
    mdMail post(context);
    EXPECT_FALSE(post.ErMailSendt(samples + "\\unsent-draft.msg", ""));
    EXPECT_TRUE(post.ErMailSendt(samples + "\\simple-sent.msg ", ""));
    EXPECT_FALSE(post.ErMailSendt("", ""));
    EXPECT_TRUE(logHas("Ny instans af outlook startet\n"
                       "  Mailens sendtdato er 01-01-4501 - hvis '01-01-4501' er den ikke sendt\n"
                       "Det er en gemt og afsendt mail"));
    // Anything but a mail counts as sent.
    for (const char* messageClass : {"REPORT.IPM.Note.NDR", "IPM.Appointment"}) {
        msgfile::Message item;
        item.messageClass = messageClass;
        msgfile::writeMessageFile(item, host("Sager/item.msg").string());
        EXPECT_TRUE(post.ErMailSendt("C:\\Sager\\item.msg", "")) << messageClass;
    }
    // A file that cannot be read is reported, and counts as not sent.
    EXPECT_FALSE(post.ErMailSendt("C:\\Sager\\mangler.msg", ""));
    EXPECT_THAT(ui.messages(), ::testing::ElementsAre(::testing::StartsWith(
                                   "Lexitray|0|Fejl i ErMailSendt msg: Cannot open file")));
}

} // namespace
} // namespace lexi
