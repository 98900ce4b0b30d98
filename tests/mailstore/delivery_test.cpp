// What becomes of a mail the user sends: a server that does not take it (a
// real one on loopback, tests/mailstore/smtp_sink.py), the sent copy of one it
// takes, recipients without addresses, a store that cannot save, a damaged
// store, a full disk under a saved message file.

#include "platform/failure.h"
#include "platform/fake/fake_outlook.h"
#include "platform/fake/manual_clock.h"
#include "platform/posix/mailstore/smtp_transport.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/msgfile/message_file.h"
#include "tests/mailstore/smtp_sink.h"
#include "tests/support/recording_ui.h"

#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>

namespace lexi::mailstore {
namespace {

namespace fs = std::filesystem;

// What the mail window recorded, and the message boxes' texts.
std::string outcome(const testing::RecordingUi& ui) {
    std::string seen;
    for (const script::Record& record : ui.records) {
        seen += record.kind == "mail" ? record.field("event") + " " : record.field("text") + " ";
    }
    return seen;
}

std::vector<std::string> markersIn(OutlookApplication& outlook, int folder) {
    const ItemsPtr items = outlook.session()->getDefaultFolder(folder)->items();
    std::vector<std::string> markers;
    for (int i = 1; i <= items->count(); ++i) {
        markers.push_back(items->item(i)->billingInformation());
    }
    return markers;
}

class DeliveryTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    fake::ManualClock clock{{2026, 12, 5, 10, 5, 0}};
    posix::DriveTable drives{{{'C', folder.str()}}};
    SmtpTransport transport;
    const std::string store = (folder.path() / "mailstore.db").string();
    const fs::path mails = folder.path() / "mails";
    std::optional<testing::SmtpSink> sink;

    // smtp_sink.py keeping what it takes in `mails`, when python3-aiosmtpd
    // is installed.
    bool startSink() {
        fs::create_directory(mails);
        sink.emplace(mails);
        return sink->started();
    }
};

TEST_F(DeliveryTest, AMailTheServerDoesNotTakeWaitsInTheOutboxAndLeavesWhenItTakesIt) {
    if (!startSink()) {
        GTEST_SKIP() << "python3-aiosmtpd is not installed";
    }
    const std::string closed = testing::LoopbackSocket(false).url();
    Account account;
    account.address = "jens@advokat.dk";
    const auto sendVia = [&](const std::string& url, const std::string& to) {
        account.smtpUrl = url;
        SqliteMailStorage(store).setAccount(account);
        testing::RecordingUi ui("mail send\n");
        LocalOutlook outlook(store, clock, ui, ui, drives, transport);
        // Marked as a mail request marks it, saved as a draft, sent by the user.
        const ItemPtr mail = outlook.start()->createItem(outlook::MailItem);
        mail->setTo(to);
        mail->setBillingInformation("mærke " + to);
        mail->save();
        mail->display(true);
        return outcome(ui);
    };
    EXPECT_EQ(sendVia(sink->url(), "a@b.dk"), "shown sent ");
    // What the user is told of a mail left in the Outbox, the store's tests show.
    for (const auto& [url, to] :
         {std::pair{sink->url(), "afvis@klient.dk"}, {closed, "soren@klient.dk"}}) {
        EXPECT_THAT(sendVia(url, to), ::testing::EndsWith(" queued ")) << to;
    }

    // With the server back, the next try of the Outbox delivers what it
    // takes, once, in the background of the program that asked for it, which
    // waits for the try only as it closes the store.
    account.smtpUrl = sink->url();
    SqliteMailStorage(store).setAccount(account);
    testing::RecordingUi ui;
    LocalOutlook(store, clock, ui, ui, drives, transport).start()->session()->sendAndReceive();
    LocalOutlook outlook(store, clock, ui, ui, drives, transport);
    EXPECT_EQ(markersIn(*outlook.start(), outlook::FolderOutbox),
              std::vector<std::string>{"mærke afvis@klient.dk"});
    EXPECT_EQ(markersIn(*outlook.start(), outlook::FolderSentItems),
              (std::vector<std::string>{"mærke a@b.dk", "mærke soren@klient.dk"}));
    EXPECT_TRUE(testing::readHostFile(mails / "2" / "mail.txt")
                    .starts_with("envelope: jens@advokat.dk -> soren@klient.dk\n"));
    EXPECT_FALSE(fs::exists(mails / "3"));
}

// An HTML mail with a picture it shows and a document, made from a message
// file as the case-management system hands mails over, sent through the
// server, exported from Sent Items and read by Debian's msgconvert. How the
// picture goes with the HTML to the server, the MIME tests show.
TEST_F(DeliveryTest, APictureTheMailShowsStaysInlineAndTheSentCopyKeepsItsMessageId) {
    if (!startSink() || std::system("command -v msgconvert >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3-aiosmtpd or msgconvert (libemail-outlook-message-perl) missing";
    }
    SqliteMailStorage(store).setAccount({"", "jens@advokat.dk", "", "", sink->url(), "", ""});
    msgfile::Message handedOver;
    handedOver.bodyFormat = msgfile::BodyFormat::Html;
    handedOver.htmlBody = "<p><img src=\"cid:logo@advokat.dk\"></p>";
    using enum msgfile::AttachMethod;
    handedOver.attachments = {
        {ByValue, "PNG", "", "logo.png", "", "image/png", -1, "logo@advokat.dk"},
        {ByValue, "%PDF", "", "brev.pdf", "", "application/pdf", -1, "brev"}};
    msgfile::writeMessageFile(handedOver, (folder.path() / "ny.msg").string());

    testing::RecordingUi ui("mail send\n");
    LocalOutlook outlook(store, clock, ui, ui, drives, transport);
    const ItemPtr mail = outlook.start()->createItemFromTemplate("C:\\ny.msg");
    mail->setTo("a@b.dk");
    mail->display(true);
    const auto session = outlook.start()->session();
    session->getDefaultFolder(outlook::FolderSentItems)->items()->item(1)->saveAs("C:\\sendt.msg");
    const std::string sent = (folder.path() / "sendt.msg").string();
    EXPECT_EQ("<" + msgfile::readMessageFile(sent).internetMessageId + ">",
              testing::readHostFile(mails / "1" / "message-id"));
    ASSERT_EQ(std::system(("msgconvert --outfile '" + sent + ".eml' '" + sent + "'").c_str()), 0);
    EXPECT_THAT(testing::readHostFile(sent + ".eml"),
                ::testing::AllOf(::testing::HasSubstr("src=\"cid:logo@advokat.dk\""),
                                 ::testing::HasSubstr("\r\nContent-ID: logo@advokat.dk\r\n")));
}

TEST_F(DeliveryTest, RecipientsAreLookedUpInTheContactsAndAMailThatCannotGoStaysADraft) {
    struct Case {
        const char* name;
        std::string to;
        std::string writeFailure;
        std::string outcome;
        std::vector<std::string> envelope;
    };
    const Case cases[] = {
        {"names and addresses",
         "søren hansen; KLIENT a/s; x@y.dk",
         "",
         "shown sent ",
         {"soren.hansen@klient.dk", "klient@firma.dk", "x@y.dk"}},
        {"names without an address",
         "Modpartens Advokat; soren.hansen; Jens; x@y.dk",
         "",
         "shown Mailen er ikke sendt. Disse modtagere har ingen mailadresse: Modpartens "
         "Advokat; soren.hansen; Jens\r\n\r\nRet modtagerne, eller opret dem som kontaktpersoner "
         "med en mailadresse, og send igen. refused closed ",
         {}},
        {"a full store",
         "x@y.dk",
         "database or disk is full",
         "shown Mailen er ikke sendt, fordi postkassen ikke kunne gemme den.\r\n\r\nÅrsag: "
         "Disken er fuld. refused closed ",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing::RecordingUi ui("mail send\n");
        FakeOutlook outlook(clock, ui, ui, drives);
        Account account;
        account.smtpUrl = "smtp://127.0.0.1:25";
        outlook.storage().setAccount(account);
        const auto app = outlook.start();
        for (const auto& [name, address] : {std::pair{"Søren Hansen", "soren.hansen@klient.dk"},
                                            {"Klient A/S", "klient@firma.dk"},
                                            {"Jens", "jens@a.dk"},
                                            {"Jens", "jens@b.dk"}}) {
            const ItemPtr contact = app->createItem(outlook::ContactItem);
            contact->setFullName(name);
            contact->setEmail1Address(address);
            contact->save();
        }
        const ItemPtr mail = app->createItem(outlook::MailItem);
        mail->setTo(c.to);
        mail->setBillingInformation("mærke");
        mail->save();
        outlook.storage().writeFailure = c.writeFailure;
        mail->display(true);
        EXPECT_EQ(outcome(ui), c.outcome);
        std::vector<std::string> envelope;
        for (const msgfile::Message& sent : outlook.transport.delivered) {
            for (const msgfile::Recipient& recipient : sent.recipients) {
                envelope.push_back(recipient.address);
            }
        }
        EXPECT_EQ(envelope, c.envelope);
        EXPECT_EQ(
            markersIn(*app, c.envelope.empty() ? outlook::FolderDrafts : outlook::FolderSentItems),
            std::vector<std::string>{"mærke"});
    }
}

TEST_F(DeliveryTest, ADamagedStoreSaysSoWhenOutlookStarts) {
    std::ofstream(store) << std::string(8192, 'x');
    testing::RecordingUi ui;
    LocalOutlook outlook(store, clock, ui, ui, drives, transport);
    try {
        outlook.start();
        FAIL() << "started";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), failure::CannotCreateObject);
        EXPECT_TRUE(failure.description().starts_with(DamagedStore)) << failure.description();
    }
}

TEST_F(DeliveryTest, AMessageFileThatDoesNotFitLeavesTheFormerFileWhole) {
    const fs::path full = folder.path() / "fuld";
    fs::create_directory(full);
    if (::mount("tmpfs", full.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "no small file system can be mounted here";
    }
    std::ofstream(full / "Brev.msg") << "tidligere";
    testing::RecordingUi ui;
    FakeOutlook outlook(clock, ui, ui, drives);
    const ItemPtr mail = outlook.start()->createItem(outlook::MailItem);
    mail->setBody(std::string(200'000, 'x'));
    try {
        mail->saveAs("C:\\fuld\\Brev.msg");
        ADD_FAILURE() << "saved";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), failure::DiskFull);
    }
    const auto files = std::distance(fs::directory_iterator(full), {});
    std::ifstream former(full / "Brev.msg");
    const std::string kept(std::istreambuf_iterator<char>(former), {});
    ::umount(full.c_str());
    EXPECT_EQ(files, 1); // no temporary file left
    EXPECT_EQ(kept, "tidligere");
}

} // namespace
} // namespace lexi::mailstore
