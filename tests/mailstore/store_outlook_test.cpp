// Outlook's object model over the mail store, driven as the mail features
// drive it, with a scripted user.

#include "platform/failure.h"
#include "platform/fake/fake_outlook.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/scripted_outlook_windows.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace lexi::mailstore {
namespace {

namespace fs = std::filesystem;

// Records the events in the order they come, and what the store held then;
// on Send it changes the mail, as the mail features do.
class EventLog final : public MailEvents {
public:
    EventLog(OutlookApplication& outlook, ItemPtr mail) : outlook_(outlook), mail_(mail) {}
    void onSend(bool& cancel) override {
        text += "send, sent items: " + std::to_string(sentItems()) + "\n";
        mail_->setBody(mail_->body() + "fod");
        mail_->setBillingInformation("mærket");
        cancel = cancelSend;
    }
    void onClose(bool&) override {
        text += "close, sent items: " + std::to_string(sentItems()) + "\n";
    }
    bool cancelSend = false;
    std::string text;

private:
    int sentItems() {
        return outlook_.session()->getDefaultFolder(outlook::FolderSentItems)->items()->count();
    }
    OutlookApplication& outlook_;
    ItemPtr mail_;
};

class StoreOutlookTest : public ::testing::Test {
protected:
    StoreOutlookTest() {
        fs::create_directories(root.path() / "c" / "Sager");
        std::ofstream(root.path() / "c" / "Sager" / "Brev.pdf", std::ios::binary)
            << std::string("%PDF\0binary\xFF", 12);
    }

    ItemPtr newMail() { return app->createItem(outlook::MailItem); }
    OutlookItems& sentItems() {
        sent = app->session()->getDefaultFolder(outlook::FolderSentItems)->items();
        return *sent;
    }

    testing::TempFolder root;
    posix::DriveTable drives{{{'C', root.str() + "/c"}}};
    fake::ManualClock clock{{2026, 12, 5, 10, 5, 0}};
    testing::RecordingUi ui;
    fake::ScriptedOutlookWindows windows;
    FakeOutlook outlook{clock, ui, windows, drives};
    std::shared_ptr<OutlookApplication> app = outlook.start();
    ItemsPtr sent;
};

TEST_F(StoreOutlookTest, ANewMailIsUnsentAndGetsTheSignatureOnItsFirstShowing) {
    Account account;
    account.displayName = "Jens Ærø";
    account.signature = "Med venlig hilsen\nJens";
    outlook.storage().setAccount(account);
    const ItemPtr mail = newMail();
    EXPECT_EQ(mail->itemClass(), outlook::ClassMail);
    EXPECT_EQ(mail->sentOn(), outlook::Never);
    EXPECT_EQ(mail->entryId(), "");
    mail->setBody("Hej");
    mail->display(false);
    mail->display(false);
    EXPECT_EQ(mail->body(), "Hej\r\n\r\nMed venlig hilsen\nJens");
    EXPECT_EQ(app->session()->currentUserName(), "Jens Ærø");
}

TEST_F(StoreOutlookTest, KeepsRecipientsAndTheirDisplayLines) {
    const ItemPtr mail = newMail();
    mail->recipients().add("hans@firma.dk");
    mail->recipients().add("Mette Ørsted <mette@firma.dk>");
    EXPECT_EQ(mail->to(), "hans@firma.dk; Mette Ørsted");
    EXPECT_TRUE(mail->recipients().resolveAll());
    mail->recipients().add("Ukendt Person");
    EXPECT_FALSE(mail->recipients().resolveAll());
    mail->recipients().item(3)->setType(outlook::Bcc);
    EXPECT_EQ(mail->bcc(), "Ukendt Person");
    EXPECT_EQ(mail->recipients().count(), 3);
    mail->setTo("a@b.dk; ; c@d.dk");
    EXPECT_EQ(mail->to(), "a@b.dk; c@d.dk");
    EXPECT_EQ(mail->recipients().count(), 3);
    EXPECT_EQ(mail->recipients().item(3)->address(), "c@d.dk");
    EXPECT_THROW(mail->recipients().item(4), Failure);
}

TEST_F(StoreOutlookTest, AttachesCopiesOfFiles) {
    const ItemPtr mail = newMail();
    mail->attachments().add("C:\\sager\\brev.PDF", 1, -1, "Brev til klient");
    EXPECT_EQ(mail->attachments().count(), 1);
    const auto attachment = mail->attachments().item(1);
    EXPECT_EQ(attachment->displayName(), "Brev til klient");
    EXPECT_EQ(attachment->fileName(), "Brev.pdf");
    EXPECT_EQ(attachment->size(), 12);
    EXPECT_EQ(attachment->position(), -1);
    attachment->setPosition(4);
    EXPECT_EQ(mail->attachments().item(1)->position(), 4);
    EXPECT_THROW(mail->attachments().add("C:\\Sager\\mangler.doc", 1, -1, ""), Failure);
    EXPECT_THROW(mail->attachments().add("C:\\Sager", 1, -1, ""), Failure);
}

TEST_F(StoreOutlookTest, SavedItemsAreFoundByTheirEntryIds) {
    const ItemPtr mail = newMail();
    mail->setSubject("Kladde");
    mail->save();
    ASSERT_FALSE(mail->entryId().empty());
    const ItemPtr found = app->session()->getItemFromId(mail->entryId());
    EXPECT_EQ(found->subject(), "Kladde");
    EXPECT_EQ(app->session()->getDefaultFolder(outlook::FolderDrafts)->items()->count(), 1);
    EXPECT_THROW(app->session()->getItemFromId("0000"), Failure);
    found->deleteItem();
    EXPECT_EQ(app->session()->getDefaultFolder(outlook::FolderDeletedItems)->items()->count(), 1);
}

struct SendCase {
    const char* name;
    std::string smtpUrl;
    std::string refusal; // of the mail server
    bool cancel;         // the send handler cancels
    std::string outcome;
};
void PrintTo(const SendCase& c, std::ostream* os) {
    *os << c.name;
}

class SendTest : public StoreOutlookTest, public ::testing::WithParamInterface<SendCase> {};

// The user changes the subject and sends; the events, then each item of the
// mail folders and what the server and the user were given.
TEST_P(SendTest, FilesTheMailAsTheServerAndTheSendHandlerSay) {
    Account account;
    account.address = "jens@firma.dk";
    account.smtpUrl = GetParam().smtpUrl;
    outlook.storage().setAccount(account);
    outlook.transport.refusal = GetParam().refusal;
    const ItemPtr mail = newMail();
    mail->setSubject("Svar");
    mail->recipients().add("klient@firma.dk");
    mail->save();
    EventLog log(*app, mail);
    log.cancelSend = GetParam().cancel;
    mail->setEvents(&log);
    windows.users.push_back([](ComposeWindow& window) {
        window.setSubject("Svar på sag 12");
        window.send();
    });
    const LocalDateTime sentOn{2026, 12, 5, 10, 17, 30};
    clock.set(sentOn);
    mail->display(true);

    std::string outcome = log.text;
    for (const int folder :
         {outlook::FolderDrafts, outlook::FolderOutbox, outlook::FolderSentItems}) {
        const ItemsPtr items = app->session()->getDefaultFolder(folder)->items();
        for (int i = 1; i <= items->count(); ++i) {
            const ItemPtr item = items->item(i);
            outcome += app->session()->getDefaultFolder(folder)->name() + ": " + item->subject() +
                       " | " + item->body() + " | " + item->billingInformation() +
                       (item->sentOn() == outlook::Never ? " | unsent"
                        : item->sentOn() == sentOn       ? " | sent then"
                                                         : " | sent another time") +
                       (item->entryId() == mail->entryId() ? "" : " | another ID") + "\n";
        }
    }
    for (const msgfile::Message& delivered : outlook.transport.delivered) {
        outcome += "delivered from " + delivered.senderAddress + "\n";
    }
    for (const std::string& message : ui.messages()) {
        outcome += "message: " + message + "\n";
    }
    EXPECT_EQ(outcome, GetParam().outcome);
}

const std::string SentAndFiled = "send, sent items: 0\nclose, sent items: 1\n"
                                 "Sendt post: Svar på sag 12 | fod | mærket | sent then\n";
INSTANTIATE_TEST_SUITE_P(
    Sending, SendTest,
    ::testing::Values(
        SendCase{"without a mail server", "", "", false, SentAndFiled},
        SendCase{"cancelled", "", "", true,
                 "send, sent items: 0\nclose, sent items: 0\nKladder: Svar |  |  | unsent\n"},
        SendCase{"through the account's server", "smtp://127.0.0.1:2525", "", false,
                 SentAndFiled + "delivered from jens@firma.dk\n"},
        SendCase{"refused by the server", "smtp://127.0.0.1:1", "Couldn't connect to server", false,
                 "send, sent items: 0\nclose, sent items: 0\n"
                 "Udbakke: Svar på sag 12 | fod | mærket | unsent\n"
                 "message: Outlook|16|Mailen blev ikke afleveret og ligger i Udbakke. Den sendes "
                 "igen, næste gang postkassen åbnes.\r\n\r\nÅrsag: Couldn't connect to server\n"}));

TEST_F(StoreOutlookTest, RestrictFindsWhatWasSentAfterTheBoundAndArrivesLate) {
    outlook.storage().delayArrivals(outlook::FolderSentItems, 30);
    for (const int minute : {49, 50, 51}) {
        clock.set({2026, 12, 5, 9, minute, 0});
        const ItemPtr mail = newMail();
        mail->setSubject(std::to_string(minute));
        windows.users.push_back(fake::ScriptedOutlookWindows::sends());
        mail->display(true);
    }
    const ItemsPtr recent = sentItems().restrict("[SentOn] > '05-12-2026 9:50'");
    EXPECT_EQ(recent->count(), 0) << "the last mail is still on its way";
    clock.advanceSeconds(30);
    ASSERT_EQ(recent->count(), 1);
    EXPECT_EQ(recent->item(1)->subject(), "51");
    EXPECT_THROW(recent->item(0), Failure);
    EXPECT_THROW(recent->item(2), Failure);
    EXPECT_EQ(sentItems().count(), 3);
    sentItems().remove(1);
    EXPECT_EQ(sentItems().item(1)->subject(), "50");
}

TEST_F(StoreOutlookTest, SavesToAndReopensFromMessageFiles) {
    const ItemPtr mail = newMail();
    mail->setSubject("Møde om sag 12");
    mail->setHtmlBody("<p>Kære klient</p>");
    mail->recipients().add("Klient <klient@firma.dk>");
    mail->attachments().add("C:\\Sager\\Brev.pdf", 1, -1, "Brev");
    mail->saveAs("C:\\Sager\\Møde.msg");
    ASSERT_TRUE(fs::exists(root.path() / "c" / "Sager" / "Møde.msg"));
    const ItemPtr reopened = app->createItemFromTemplate("c:\\SAGER\\møde.msg");
    EXPECT_EQ(reopened->subject(), "Møde om sag 12");
    EXPECT_EQ(reopened->bodyFormat(), outlook::FormatHtml);
    EXPECT_EQ(reopened->htmlBody(), "<p>Kære klient</p>");
    EXPECT_EQ(reopened->to(), "Klient");
    EXPECT_EQ(reopened->attachments().item(1)->size(), 12);
    EXPECT_EQ(reopened->sentOn(), outlook::Never);
    EXPECT_EQ(reopened->entryId(), "");
    EXPECT_THROW(app->createItemFromTemplate("C:\\Sager\\Brev.pdf"), Failure);
}

TEST_F(StoreOutlookTest, TasksAndContactsHaveTheirOwnMembers) {
    const ItemPtr task = app->createItem(outlook::TaskItem);
    EXPECT_EQ(task->itemClass(), outlook::ClassTask);
    task->setSubject("A-12: Frist");
    task->setDueDate({2026, 12, 24, 0, 0, 0});
    task->setStatus(outlook::TaskComplete);
    EXPECT_EQ(task->dateCompleted(), (LocalDateTime{2026, 12, 5, 0, 0, 0}));
    task->setStatus(outlook::TaskNotStarted);
    EXPECT_EQ(task->dateCompleted(), outlook::Never);
    task->save();
    const ItemPtr stored = app->session()->getItemFromId(task->entryId());
    EXPECT_EQ(stored->dueDate(), (LocalDateTime{2026, 12, 24, 0, 0, 0}));
    EXPECT_EQ(app->session()->getDefaultFolder(outlook::FolderTasks)->items()->count(), 1);

    const ItemPtr contact = app->createItem(outlook::ContactItem);
    contact->setFullName("Hans Ærø");
    contact->setBusinessAddress("\rOdense");
    contact->save();
    EXPECT_EQ(app->session()->getItemFromId(contact->entryId())->businessAddress(), "\rOdense");

    // A member of another kind of item fails as Outlook's does.
    for (const std::function<void()>& foreignMember : std::initializer_list<std::function<void()>>{
             [&] { task->fullName(); }, [&] { contact->dueDate(); }, [&] { task->sentOn(); },
             [&] {
                 newMail()->getAssociatedAppointment(false);
             }}) {
        try {
            foreignMember();
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), 438);
        }
    }
    EXPECT_THROW(app->createItem(7), Failure);
}

// Every kind of handle the store hands out, kept after all it came from is
// dropped, down to the Outlook that opened the store: it reads what it held,
// or fails with a Failure, and never touches freed memory.
TEST_F(StoreOutlookTest, AHandleOutlivesEverythingItCameFrom) {
    using AppPtr = std::shared_ptr<OutlookApplication>;
    using Use = std::function<std::string()>;
    struct Case {
        const char* handle;
        std::function<Use(const AppPtr&)> keep;
        std::string reads; // "Failure" for a clean failure
    };
    const auto newMailOf = [](const AppPtr& app) {
        return app->createItem(outlook::MailItem);
    };
    const auto savedDraft = [&](const AppPtr& app) {
        const ItemPtr mail = newMailOf(app);
        mail->setSubject("Kladde");
        mail->save();
        return app->session()->getDefaultFolder(outlook::FolderDrafts)->items()->item(1);
    };
    const Case cases[] = {
        {"recipient",
         [&](const AppPtr& app) {
             const auto kept = newMailOf(app)->recipients().add("Hans <hans@firma.dk>");
             return Use([kept] { return kept->address(); });
         },
         "hans@firma.dk"},
        {"attachment",
         [&](const AppPtr& app) {
             const auto kept =
                 newMailOf(app)->attachments().add("C:\\Sager\\Brev.pdf", 1, -1, "Brev");
             return Use([kept] { return kept->displayName(); });
         },
         "Brev"},
        {"stored item",
         [&](const AppPtr& app) {
             const ItemPtr kept = savedDraft(app);
             return Use([kept] {
                 kept->setBody("ændret");
                 kept->save();
                 return kept->subject();
             });
         },
         "Kladde"},
        {"item needing the opener's drives",
         [&](const AppPtr& app) {
             const ItemPtr kept = savedDraft(app);
             return Use([kept] {
                 kept->saveAs("C:\\Sager\\Kladde.msg");
                 return kept->subject();
             });
         },
         "Failure"},
        {"items",
         [&](const AppPtr& app) {
             savedDraft(app);
             const ItemsPtr kept = app->session()->getDefaultFolder(outlook::FolderDrafts)->items();
             return Use([kept] { return kept->item(1)->subject(); });
         },
         "Kladde"},
        {"folder",
         [](const AppPtr& app) {
             const FolderPtr kept = app->session()->getDefaultFolder(outlook::FolderInbox);
             return Use([kept] { return std::to_string(kept->items()->count()); });
         },
         "0"},
        {"namespace",
         [](const AppPtr& app) {
             const auto kept = app->session();
             return Use([kept] { return kept->currentUserName(); });
         },
         "Lexitray-bruger"},
        {"application", [](const AppPtr& app) { return Use([app] { return app->version(); }); },
         "12.0.0.4518"},
    };
    for (const Case& c : cases) {
        auto opener = std::make_unique<FakeOutlook>(clock, ui, windows, drives);
        const Use use = c.keep(opener->start());
        opener.reset();
        std::string read;
        try {
            read = use();
        } catch (const Failure&) {
            read = "Failure";
        }
        EXPECT_EQ(read, c.reads) << c.handle;
    }
}

TEST_F(StoreOutlookTest, PicksFoldersThroughTheUser) {
    windows.folderChoices = {-1, 2};
    EXPECT_EQ(app->session()->pickFolder(), nullptr);
    const FolderPtr chosen = app->session()->pickFolder();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->name(), "Sendt post");
    EXPECT_EQ(chosen->defaultItemType(), outlook::MailItem);
    EXPECT_EQ(windows.pickerFolders.at(0).size(), 8U);
}

} // namespace
} // namespace lexi::mailstore
