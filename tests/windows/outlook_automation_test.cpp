// Outlook through automation, against the test double of Outlook.Application.

#include "platform/win32/fake/fake_outlook.h"
#include "platform/win32/outlook_automation.h"
#include "platform/win32/wide_text.h"
#include "tests/support/failure_number.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace lexi::win32 {
namespace {

using testing::failureNumber;

struct Outlook {
    std::shared_ptr<fakecom::FakeMailbox> mailbox = std::make_shared<fakecom::FakeMailbox>();
    std::shared_ptr<OutlookApplication> application =
        outlookOf(fakecom::newFakeOutlook(mailbox).object());
    std::shared_ptr<OutlookNamespace> session = application->session();
};

std::string temporaryPath(const char* name) {
    return fromWide((std::filesystem::temp_directory_path() / name).wstring());
}

TEST(AutomationOutlook, ComposesStoresAndFindsAMail) {
    Outlook outlook;
    const std::string attached = temporaryPath("bilag.pdf");
    std::ofstream(std::filesystem::path(toWide(attached))) << "%PDF-1.4";

    ItemPtr mail = outlook.application->createItem(outlook::MailItem);
    mail->setSubject("Sag 12 – Ærø");
    mail->recipients().add("Anna Ø <anna@firma.dk>");
    mail->recipients().add("Bo");
    EXPECT_FALSE(mail->recipients().resolveAll());
    EXPECT_EQ(mail->to(), "Anna Ø; Bo");
    mail->attachments().add(attached, outlook::ByValue, -1, "Brev til Anna");
    mail->attachments().item(1)->setPosition(3);
    EXPECT_EQ(mail->attachments().item(1)->displayName(), "Brev til Anna");
    EXPECT_EQ(mail->attachments().item(1)->position(), 3);
    EXPECT_EQ(mail->attachments().item(1)->size(), 8);
    EXPECT_EQ(mail->entryId(), "");
    mail->save();

    ItemPtr found = outlook.session->getItemFromId(mail->entryId());
    EXPECT_EQ(found->subject(), "Sag 12 – Ærø");
    EXPECT_EQ(found->itemClass(), outlook::ClassMail);
    EXPECT_EQ(outlook.session->getDefaultFolder(outlook::FolderDrafts)->items()->count(), 1);
    EXPECT_EQ(failureNumber([&] { outlook.session->getItemFromId("FFFF"); }),
              failure::AutomationError);

    const std::string saved = temporaryPath("gemt.msg");
    found->saveAs(saved);
    EXPECT_EQ(outlook.application->createItemFromTemplate(saved)->subject(), "Sag 12 – Ærø");
    std::filesystem::remove(std::filesystem::path(toWide(saved)));
    std::filesystem::remove(std::filesystem::path(toWide(attached)));
}

TEST(AutomationOutlook, ReachesTasksContactsFoldersAndTheUser) {
    Outlook outlook;
    const LocalDateTime due{2026, 12, 24, 0, 0, 0};
    ItemPtr task = outlook.application->createItem(outlook::TaskItem);
    task->setDueDate(due);
    task->setStatus(outlook::TaskComplete);
    task->save();
    EXPECT_EQ(task->dueDate(), due);
    EXPECT_EQ(task->status(), outlook::TaskComplete);
    EXPECT_EQ(failureNumber([&] { task->htmlBody(); }), failure::UnsupportedMember);

    ItemPtr contact = outlook.application->createItem(outlook::ContactItem);
    contact->setEmail1Address("anna@firma.dk");
    EXPECT_EQ(contact->email1Address(), "anna@firma.dk");

    FolderPtr tasks = outlook.session->getDefaultFolder(outlook::FolderTasks);
    EXPECT_EQ(tasks->defaultItemType(), outlook::TaskItem);
    ItemsPtr items = tasks->items();
    EXPECT_EQ(items->item(1)->itemClass(), outlook::ClassTask);
    items->remove(1);
    EXPECT_EQ(tasks->items()->count(), 0);

    EXPECT_EQ(outlook.application->version(), "12.0.0.4518");
    EXPECT_EQ(outlook.session->currentUserName(), "Test Bruger");
    EXPECT_EQ(outlook.session->pickFolder(), nullptr);
    outlook.mailbox->pickedFolder = outlook::FolderInbox;
    EXPECT_EQ(outlook.session->pickFolder()->name(), "Indbakke");
}

TEST(AutomationOutlook, RestrictsItemsToThoseSentAfterAMoment) {
    Outlook outlook;
    outlook.mailbox->userActions = {"send"};
    ItemPtr mail = outlook.application->createItem(outlook::MailItem);
    mail->display(true);
    ItemsPtr sent = outlook.session->getDefaultFolder(outlook::FolderSentItems)->items();
    ASSERT_EQ(sent->count(), 1);
    EXPECT_EQ(sent->restrict("[SentOn] > '01-01-2000 00:00'")->count(), 1);
    EXPECT_EQ(sent->restrict("[SentOn] > '01-01-4000 00:00'")->count(), 0);
    EXPECT_EQ(failureNumber([&] { sent->restrict("SentOn efter i går"); }),
              failure::AutomationError);
}

// Records the events and cancels those it is told to.
class Handlers final : public MailEvents {
public:
    std::string seen;
    int sendsToCancel = 0;
    int closesToCancel = 0;

    void onSend(bool& cancel) override {
        seen += "send ";
        cancel = sendsToCancel-- > 0;
    }
    void onClose(bool& cancel) override {
        seen += "close ";
        cancel = closesToCancel-- > 0;
    }
    void onSendFailed() override { seen += "failed "; }
};

TEST(AutomationOutlook, TheMailWindowsSendAndCloseReachTheHandlers) {
    struct Case {
        std::deque<std::string> user;
        int sendsToCancel;
        int closesToCancel;
        std::string seen;
        bool sent;
    };
    const Case cases[] = {
        {{"send"}, 0, 0, "send close ", true},
        {{"close"}, 0, 0, "close ", false},
        {{"send", "close"}, 1, 0, "send close ", false},
        {{"close", "send"}, 0, 1, "close send close ", true},
        // The window closes when the user has nothing left to do.
        {{}, 0, 0, "close ", false},
    };
    for (const Case& c : cases) {
        Outlook outlook;
        outlook.mailbox->userActions = c.user;
        Handlers handlers;
        handlers.sendsToCancel = c.sendsToCancel;
        handlers.closesToCancel = c.closesToCancel;
        ItemPtr mail = outlook.application->createItem(outlook::MailItem);
        mail->setEvents(&handlers);
        mail->display(true);
        EXPECT_EQ(handlers.seen, c.seen);
        EXPECT_EQ(mail->sentOn() != outlook::Never, c.sent) << c.seen;
        // Disconnected, the handlers hear nothing more.
        mail->setEvents(nullptr);
        outlook.mailbox->userActions = {"close"};
        mail->display(true);
        EXPECT_EQ(handlers.seen, c.seen);
    }
}

TEST(AutomationOutlookConnector, FindsNoOutlookWhereNoneIsRegistered) {
    AutomationOutlookConnector connector;
    EXPECT_EQ(connector.running(), nullptr);
    EXPECT_EQ(failureNumber([&] { connector.start(); }), failure::CannotCreateObject);
}

} // namespace
} // namespace lexi::win32
