// Finding the sent mail in Sent Items, and whether a saved mail was sent.

#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/msgfile/message_file.h"
#include "tests/mail/mail_fixture.h"

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

    std::string filedSubject() {
        return app().createItemFromTemplate("C:\\Sager\\Klient\\Brev.msg")->subject();
    }
};

TEST_F(FilingTest, SearchesFromTheLastPositionDown) {
    sentMail("den rigtige", "MARK");
    sentMail("anden", "x");
    sentMail("tredje", "y");
    file();
    EXPECT_TRUE(logHas("Leder i 3 beskeder"));
    EXPECT_TRUE(logHas("Fandt mail efter 3 forsøg."));
    EXPECT_TRUE(logHas("Mail identificeret: 'den rigtige'"));
    EXPECT_EQ(filedSubject(), "den rigtige");
    EXPECT_EQ(folderItems(outlook::FolderSentItems).item(1)->billingInformation(), "");
    EXPECT_TRUE(state.SendtMarkering.empty());
    EXPECT_EQ(testing::readHostFile(host("Mail_" + DocumentId + ".txt")), DocumentId + "\r\n1\r\n");
}

TEST_F(FilingTest, IgnoresMailSentBeforeTheBound) {
    sentMail("for gammel", "MARK", {2026, 12, 5, 13, 50, 0});
    sentMail("ny", "MARK");
    file();
    EXPECT_TRUE(logHas("Leder i 1 beskeder"));
    EXPECT_EQ(filedSubject(), "ny");
}

TEST_F(FilingTest, StartsAgainWhenTheSentMailArrivesDuringTheSearch) {
    sentMail("anden", "x");
    sentMail("tredje", "y");
    outlook.storage().delayArrivals(outlook::FolderSentItems, 5);
    sentMail("den rigtige", "MARK");
    file();
    EXPECT_TRUE(logHas("Leder i 2 beskeder"));
    EXPECT_TRUE(logHas("Har ledt i alle beskeder. Starter forfra."));
    EXPECT_TRUE(logHas("  Antallet af beskeder har ændret sig. Leder nu i 3 beskeder"));
    EXPECT_EQ(filedSubject(), "den rigtige");
    EXPECT_GT(clock.sleptMilliseconds(), 0) << "the search pauses between its passes";
}

TEST_F(FilingTest, GivesUpAfter400SecondsWithAMessage) {
    for (const bool anyMail : {true, false}) {
        if (anyMail) {
            sentMail("anden", "x");
        } else {
            folderItems(outlook::FolderSentItems).remove(1);
        }
        state.SendtMarkering = "MARK";
        const LocalDateTime start = clock.now();
        ui.records.clear();
        file();
        EXPECT_TRUE(logHas("Fik timeout, kunne ikke finde serveren på 400 sekunder"));
        EXPECT_EQ(ui.messages(),
                  std::vector<std::string>{"Lexitray|16|Mailen blev ikke gemt på grund "
                                           "af en timeout fejl. Serveren svarer ikke."});
        const auto waited = secondsBetween(start, clock.now());
        EXPECT_GT(waited, 400);
        EXPECT_LT(waited, 410);
        EXPECT_FALSE(std::filesystem::exists(host("Sager/Klient/Brev.msg")));
    }
}

TEST_F(FilingTest, DoesNothingForAnUnsentMail) {
    state.MailSendt = false;
    sentMail("den rigtige", "MARK");
    file();
    EXPECT_TRUE(logLines().empty());
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
    EXPECT_EQ(outbox.item(1)->mileage(), "");
    EXPECT_EQ(outbox.item(2)->mileage(), "andet");
    EXPECT_TRUE(logHas("Ending procedure EmptyOutbox"));
}

class SavedMailTest : public testing::MailFixture {
protected:
    std::string sample(const std::string& name) {
        const std::filesystem::path file =
            std::filesystem::path(LEXITRAY_SHARED_DIR) / "testdata" / "msg" / name;
        return files.drives().toWindows(std::filesystem::weakly_canonical(file).string());
    }
    void SetUp() override {
        if (!std::filesystem::exists(std::filesystem::path(LEXITRAY_SHARED_DIR) / "testdata")) {
            GTEST_SKIP() << "the sample mails of ../shared/testdata are not here";
        }
    }
};

TEST_F(SavedMailTest, TellsSentFromUnsentMail) {
    mdMail post(context);
    EXPECT_FALSE(post.ErMailSendt(sample("unsent-draft.msg"), ""));
    EXPECT_TRUE(logHas("  Mailens sendtdato er 01-01-4501 - hvis '01-01-4501' er den ikke sendt"));
    EXPECT_TRUE(post.ErMailSendt(sample("simple-sent.msg") + " ", ""));
    EXPECT_TRUE(logHas("Det er en gemt og afsendt mail"));
    EXPECT_FALSE(post.ErMailSendt("", ""));
    EXPECT_TRUE(logHas("Ny instans af outlook startet"));
    // Anything but a mail counts as sent.
    for (const char* messageClass : {"REPORT.IPM.Note.NDR", "IPM.Appointment"}) {
        msgfile::Message item;
        item.messageClass = messageClass;
        msgfile::writeMessageFile(item, host("Sager/item.msg").string());
        EXPECT_TRUE(mdMail(context).ErMailSendt("C:\\Sager\\item.msg", "")) << messageClass;
    }
    // A file that cannot be read is reported, and counts as not sent.
    EXPECT_FALSE(mdMail(context).ErMailSendt("C:\\Sager\\mangler.msg", ""));
    EXPECT_EQ(ui.messages().size(), 1U);
    EXPECT_TRUE(
        ui.messages()[0].starts_with("Lexitray|0|Fejl i ErMailSendt msg: Cannot open file"));
}

} // namespace
} // namespace lexi
