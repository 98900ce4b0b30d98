// Outlook's object model over the mail store, driven as the mail features
// drive it, with a scripted user.

#include "platform/failure.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/scripted_outlook_windows.h"
#include "platform/fake/fake_outlook.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace lexi::mailstore {
namespace {

namespace fs = std::filesystem;

// Records the events in the order they come, and what the store held then.
class EventLog final : public MailEvents {
public:
    EventLog(OutlookApplication& outlook, std::vector<std::string>& entries)
        : outlook_(outlook), entries_(entries) {}
    void onSend(bool& cancel) override {
        entries_.push_back("send, sent items: " + std::to_string(sentItems()));
        cancel = cancelSend;
    }
    void onClose(bool&) override {
        entries_.push_back("close, sent items: " + std::to_string(sentItems()));
    }
    bool cancelSend = false;

private:
    int sentItems() {
        return outlook_.session()->getDefaultFolder(outlook::FolderSentItems)->items()->count();
    }
    OutlookApplication& outlook_;
    std::vector<std::string>& entries_;
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

TEST_F(StoreOutlookTest, TellsWhetherItRunsAndWhoStartedIt) {
    FakeOutlook other(clock, ui, windows, drives);
    EXPECT_EQ(other.running(), nullptr);
    ASSERT_NE(other.start(), nullptr);
    EXPECT_NE(other.running(), nullptr);
    other.canStart = false;
    EXPECT_NE(other.running(), nullptr);
    FakeOutlook broken(clock, ui, windows, drives);
    broken.canStart = false;
    try {
        broken.start();
        FAIL();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), failure::CannotCreateObject);
    }
}

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
    EXPECT_EQ(app->version(), "12.0.0.4518");
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

TEST_F(StoreOutlookTest, SendingRaisesSendBeforeFilingAndCloseAfter) {
    std::vector<std::string> events;
    EventLog log(*app, events);
    const ItemPtr mail = newMail();
    mail->setSubject("Svar");
    mail->recipients().add("klient@firma.dk");
    mail->save();
    mail->setEvents(&log);
    windows.users.push_back([](ComposeWindow& window) {
        window.setSubject("Svar på sag 12");
        window.send();
    });
    clock.set({2026, 12, 5, 10, 17, 30});
    mail->display(true);
    EXPECT_EQ(events, (std::vector<std::string>{"send, sent items: 0", "close, sent items: 1"}));
    ASSERT_EQ(sentItems().count(), 1);
    const ItemPtr copy = sentItems().item(1);
    EXPECT_EQ(copy->subject(), "Svar på sag 12");
    EXPECT_EQ(copy->sentOn(), (LocalDateTime{2026, 12, 5, 10, 17, 30}));
    EXPECT_EQ(copy->entryId(), mail->entryId());
    EXPECT_EQ(app->session()->getDefaultFolder(outlook::FolderDrafts)->items()->count(), 0);
    EXPECT_TRUE(outlook.transport.delivered.empty());
}

TEST_F(StoreOutlookTest, TheSendHandlersChangesLeaveWithTheMail) {
    struct Marker final : MailEvents {
        ItemPtr mail;
        void onSend(bool&) override {
            mail->setBody(mail->body() + "\r\nfod");
            mail->setBillingInformation(mail->entryId());
        }
        void onClose(bool&) override {}
    } marker;
    marker.mail = newMail();
    marker.mail->save();
    marker.mail->setEvents(&marker);
    windows.users.push_back(fake::ScriptedOutlookWindows::sends());
    marker.mail->display(true);
    const ItemPtr copy = sentItems().item(1);
    EXPECT_EQ(copy->billingInformation(), marker.mail->entryId());
    EXPECT_EQ(copy->body(), "\r\nfod");
}

TEST_F(StoreOutlookTest, ACancelledSendKeepsTheWindowOpen) {
    std::vector<std::string> events;
    EventLog log(*app, events);
    log.cancelSend = true;
    const ItemPtr mail = newMail();
    mail->setEvents(&log);
    windows.users.push_back(fake::ScriptedOutlookWindows::sends());
    mail->display(true);
    EXPECT_EQ(events, (std::vector<std::string>{"send, sent items: 0", "close, sent items: 0"}));
    EXPECT_EQ(sentItems().count(), 0);
}

TEST_F(StoreOutlookTest, ARefusedDeliveryLeavesTheMailUnsentInTheOutbox) {
    Account account;
    account.smtpUrl = "smtp://127.0.0.1:1";
    outlook.storage().setAccount(account);
    outlook.transport.refusal = "Couldn't connect to server";
    const ItemPtr mail = newMail();
    windows.users.push_back(fake::ScriptedOutlookWindows::sends());
    mail->display(true);
    EXPECT_EQ(sentItems().count(), 0);
    const auto outbox = app->session()->getDefaultFolder(outlook::FolderOutbox)->items();
    ASSERT_EQ(outbox->count(), 1);
    EXPECT_EQ(outbox->item(1)->sentOn(), outlook::Never);
    ASSERT_EQ(ui.messages().size(), 1U);
    EXPECT_NE(ui.messages()[0].find("Couldn't connect to server"), std::string::npos);
}

TEST_F(StoreOutlookTest, DeliversThroughTheAccountsServer) {
    Account account;
    account.displayName = "Jens";
    account.address = "jens@firma.dk";
    account.smtpUrl = "smtp://127.0.0.1:2525";
    outlook.storage().setAccount(account);
    const ItemPtr mail = newMail();
    mail->recipients().add("klient@firma.dk");
    windows.users.push_back(fake::ScriptedOutlookWindows::sends());
    mail->display(true);
    ASSERT_EQ(outlook.transport.delivered.size(), 1U);
    EXPECT_EQ(outlook.transport.delivered[0].senderAddress, "jens@firma.dk");
    EXPECT_EQ(sentItems().count(), 1);
}

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

    const auto failsWith438 = [](auto call) {
        try {
            call();
        } catch (const Failure& failure) {
            return failure.number() == 438;
        }
        return false;
    };
    EXPECT_TRUE(failsWith438([&] { task->fullName(); }));
    EXPECT_TRUE(failsWith438([&] { contact->dueDate(); }));
    EXPECT_TRUE(failsWith438([&] { task->sentOn(); }));
    EXPECT_TRUE(failsWith438([&] { newMail()->getAssociatedAppointment(false); }));
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
    const auto savedDraft = [](const AppPtr& app) {
        const ItemPtr mail = app->createItem(outlook::MailItem);
        mail->setSubject("Kladde");
        mail->save();
        return app->session()->getDefaultFolder(outlook::FolderDrafts)->items()->item(1);
    };
    const Case cases[] = {
        {"recipient",
         [](const AppPtr& app) -> Use {
             const auto recipient =
                 app->createItem(outlook::MailItem)->recipients().add("Hans <hans@firma.dk>");
             return [recipient] {
                 return recipient->address();
             };
         },
         "hans@firma.dk"},
        {"attachment",
         [](const AppPtr& app) -> Use {
             const auto attachment = app->createItem(outlook::MailItem)
                                         ->attachments()
                                         .add("C:\\Sager\\Brev.pdf", 1, -1, "Brev");
             return [attachment] {
                 return attachment->displayName();
             };
         },
         "Brev"},
        {"stored item",
         [&](const AppPtr& app) -> Use {
             const ItemPtr item = savedDraft(app);
             return [item] {
                 item->setBody("ændret");
                 item->save();
                 return item->subject();
             };
         },
         "Kladde"},
        {"item needing the opener's drives",
         [&](const AppPtr& app) -> Use {
             const ItemPtr item = savedDraft(app);
             return [item] {
                 item->saveAs("C:\\Sager\\Kladde.msg");
                 return item->subject();
             };
         },
         "Failure"},
        {"items",
         [&](const AppPtr& app) -> Use {
             savedDraft(app);
             const ItemsPtr items =
                 app->session()->getDefaultFolder(outlook::FolderDrafts)->items();
             return [items] {
                 return items->item(1)->subject();
             };
         },
         "Kladde"},
        {"folder",
         [](const AppPtr& app) -> Use {
             const FolderPtr folder = app->session()->getDefaultFolder(outlook::FolderInbox);
             return [folder] {
                 return std::to_string(folder->items()->count());
             };
         },
         "0"},
        {"namespace",
         [](const AppPtr& app) -> Use {
             const auto session = app->session();
             return [session] {
                 return session->currentUserName();
             };
         },
         "Lexitray-bruger"},
        {"application",
         [](const AppPtr& app) -> Use {
             return [app] {
                 return app->version();
             };
         },
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
