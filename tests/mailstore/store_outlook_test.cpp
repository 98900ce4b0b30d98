// Outlook's object model over the mail store, driven as the mail features
// drive it, with a scripted user.

#include "platform/failure.h"
#include "platform/fake/fake_outlook.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/scripted_outlook_windows.h"
#include "platform/posix/mailstore/store_mail_sender.h"
#include "platform/posix/msgfile/message_fields.h"
#include "platform/posix/msgfile/message_file.h"
#include "platform/posix/msgfile/text_encoding.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

#include <bit>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lexi::mailstore {
namespace {

namespace fs = std::filesystem;
using namespace outlook;
using AppPtr = std::shared_ptr<OutlookApplication>;

// Records the events in the order they come, with what Sent Items held then.
struct EventLog final : MailEvents {
    EventLog(ItemsPtr sent, bool cancel) : sent(sent), cancel(cancel) {}
    void onSend(bool& cancelSend) override {
        text += "send" + sentItems();
        cancelSend = cancel;
    }
    void onSendFailed() override { text += "send failed\n"; }
    void onClose(bool&) override { text += "close" + sentItems(); }
    std::string sentItems() { return ", sent items: " + std::to_string(sent->count()) + "\n"; }

    ItemsPtr sent;
    bool cancel;
    std::string text;
};

class StoreOutlookTest : public ::testing::Test {
protected:
    StoreOutlookTest() {
        fs::create_directories(root.path() / "c" / "Sager");
        std::ofstream(root.path() / "c" / "Sager" / "Brev.pdf", std::ios::binary)
            << std::string("%PDF\0binary\xFF", 12);
    }
    ItemPtr newMail() { return app->createItem(MailItem); }
    ItemsPtr items(int folder) { return app->session()->getDefaultFolder(folder)->items(); }

    testing::TempFolder root;
    posix::DriveTable drives{{{'C', root.str() + "/c"}}};
    fake::ManualClock clock{{2026, 12, 5, 10, 5, 0}};
    testing::RecordingUi ui;
    fake::ScriptedOutlookWindows windows;
    FakeOutlook outlook{clock, ui, windows, drives};
    AppPtr app = outlook.start();
};

TEST_F(StoreOutlookTest, ANewMailIsUnsentAndFoundByItsEntryIdOnceSaved) {
    outlook.storage().setAccount({"Jens Ærø", "", "", "", "", "", ""});
    const ItemPtr mail = newMail();
    EXPECT_EQ(std::tuple(mail->itemClass(), mail->sentOn(), mail->entryId()),
              std::tuple(ClassMail, Never, ""));
    EXPECT_EQ(app->session()->currentUserName(), "Jens Ærø");
    mail->save();
    const ItemPtr found = app->session()->getItemFromId(mail->entryId());
    EXPECT_EQ(std::tuple(found->entryId(), items(FolderDrafts)->count()),
              std::tuple(mail->entryId(), 1));
    EXPECT_THROW(app->session()->getItemFromId("0000"), Failure);
    EXPECT_THROW(items(FolderDrafts)->item(0), Failure);
    EXPECT_THROW(items(FolderDrafts)->item(2), Failure);
    found->deleteItem();
    EXPECT_EQ(items(FolderDeletedItems)->count(), 1);
}

TEST_F(StoreOutlookTest, KeepsRecipientsAndTheirDisplayLines) {
    const ItemPtr mail = newMail();
    mail->recipients().add("hans@firma.dk");
    mail->recipients().add("Mette Ørsted <mette@firma.dk>");
    EXPECT_EQ(mail->to(), "hans@firma.dk; Mette Ørsted");
    EXPECT_TRUE(mail->recipients().resolveAll());
    mail->recipients().add("Ukendt Person");
    EXPECT_FALSE(mail->recipients().resolveAll());
    mail->recipients().item(3)->setType(Bcc);
    EXPECT_EQ(mail->bcc(), "Ukendt Person");
    mail->setTo("a@b.dk; ; c@d.dk");
    EXPECT_EQ(
        std::tuple(mail->to(), mail->recipients().count(), mail->recipients().item(3)->address()),
        std::tuple("a@b.dk; c@d.dk", 3, "c@d.dk"));
    EXPECT_THROW(mail->recipients().item(4), Failure);
}

// The mail server's URL and refusal, whether the send handler cancels, and
// the outcome: the events, each item of the mail folders and what the user
// was told. What a server that takes the mail gets, the delivery tests show.
class SendTest : public StoreOutlookTest,
                 public ::testing::WithParamInterface<
                     std::tuple<std::string, std::string, bool, std::string>> {};

// The user changes the subject of a mail made from an earlier one and sends.
TEST_P(SendTest, FilesTheMailAsTheServerAndTheSendHandlerSay) {
    const auto& [smtpUrl, refusal, cancel, expected] = GetParam();
    outlook.storage().setAccount({"", "jens@firma.dk", "", "", smtpUrl, "", ""});
    outlook.transport.refusal = refusal;
    msgfile::Message earlier;
    earlier.internetMessageId = "tidligere@klient.dk";
    for (const std::uint16_t id : {0x007D, 0x0042}) { // headers, sent representing name
        earlier.properties.put({msgfile::tagged(id), msgfile::property_type::Unicode, 0x6, 0,
                                msgfile::utf8ToUtf16("fra klienten")});
    }
    msgfile::writeMessageFile(earlier, root.str() + "/c/tidligere.msg");
    const ItemPtr mail = app->createItemFromTemplate("C:\\tidligere.msg");
    mail->setSubject("Svar");
    mail->recipients().add("klient@firma.dk");
    mail->save();
    EventLog log(items(FolderSentItems), cancel);
    mail->setEvents(&log);
    windows.users.push_back([](ComposeWindow& window) {
        window.setSubject("Svar på sag 12");
        window.send();
    });
    const LocalDateTime sentOn{2026, 12, 5, 10, 17, 30};
    clock.set(sentOn);
    mail->display(true);

    std::string outcome = log.text;
    for (const int folder : {FolderDrafts, FolderOutbox, FolderSentItems}) {
        for (int i = 1; i <= items(folder)->count(); ++i) {
            const ItemPtr item = items(folder)->item(i);
            const msgfile::Message stored = *outlook.storage().message(item->entryId());
            const std::string& messageId = stored.internetMessageId;
            const bool earlierRoute = std::ranges::any_of(std::array{0x007D, 0x0042}, [&](int id) {
                return stored.properties.find(msgfile::tagged(static_cast<std::uint16_t>(id)),
                                              msgfile::property_type::Unicode) != nullptr;
            });
            outcome += app->session()->getDefaultFolder(folder)->name() + ": " + item->subject() +
                       (item->sentOn() == sentOn ? " | sent then" : " | unsent") +
                       (item->entryId() == mail->entryId() ? "" : " | another ID") +
                       (messageId.empty() ? "" : " | " + messageId) +
                       (earlierRoute ? " | earlier route" : "") + "\n";
        }
    }
    for (const std::string& message : ui.messages()) {
        outcome += "message: " + message + "\n";
    }
    EXPECT_EQ(outcome, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sending, SendTest,
    ::testing::Values(
        std::tuple(
            "", "", false,
            "send, sent items: 0\nclose, sent items: 1\nSendt post: Svar på sag 12 | sent then\n"),
        std::tuple("", "", true,
                   "send, sent items: 0\nclose, sent items: 0\n"
                   "Kladder: Svar | unsent | tidligere@klient.dk | earlier route\n"),
        std::tuple(
            "smtp://x", "Nej", false,
            "send, sent items: 0\nclose, sent items: 0\nUdbakke: Svar på sag 12 | unsent\n"
            "message: Outlook|16|Mailen blev ikke afleveret og ligger i Udbakke. Den sendes igen "
            "senere.\r\n\r\nÅrsag: Nej\n")));

// The program asks Outlook to send and receive now and then; the store tries
// its Outbox only when mail waits there and the pause after the last try has
// passed, a pause that doubles while the server refuses.
TEST_F(StoreOutlookTest, TriesTheOutboxWhenItsTurnHasCome) {
    outlook.storage().setAccount({"", "jens@firma.dk", "", "", "smtp://x", "", ""});
    outlook.transport.refusal = "Nej";
    // Seconds from the first ask, whether the server takes the mail by then, whether a try follows.
    const std::tuple<int, bool, bool> asks[] = {
        {0, false, true},   {119, true, false}, {120, false, true},
        {359, true, false}, {360, true, true},  {2000, true, false},
    };
    outlook.storage().add(FolderOutbox, msgfile::Message{});
    const LocalDateTime start = clock.now();
    for (const auto& [seconds, takes, tried] : asks) {
        SCOPED_TRACE(seconds);
        clock.set(start);
        clock.advanceSeconds(seconds);
        outlook.transport.refusal = takes ? "" : "Nej";
        const int before = outlook.transport.attempts;
        app->session()->sendAndReceive();
        EXPECT_EQ(outlook.transport.attempts - before, tried ? 1 : 0);
    }
    EXPECT_EQ(items(FolderSentItems)->count(), 1);
    EXPECT_EQ(outboxPause(20), std::chrono::minutes(30));
    EXPECT_TRUE(ui.records.empty()) << "a try in the background tells nobody";
}

// Attachments are copies of files; a mail saved to a message file comes back
// with all it held.
TEST_F(StoreOutlookTest, AttachesFilesAndSavesToAndReopensFromMessageFiles) {
    const ItemPtr mail = newMail();
    mail->setSubject("Møde om sag 12");
    mail->setHtmlBody("<p>Kære klient</p>");
    mail->recipients().add("Klient <klient@firma.dk>");
    mail->attachments().add("C:\\sager\\brev.PDF", 1, -1, "Til klient")->setPosition(4);
    EXPECT_THROW(mail->attachments().add("C:\\Sager\\mangler.doc", 1, -1, ""), Failure);
    EXPECT_THROW(mail->attachments().add("C:\\Sager", 1, -1, ""), Failure);
    mail->saveAs("C:\\Sager\\Møde.msg");
    const ItemPtr again = app->createItemFromTemplate("c:\\SAGER\\møde.msg");
    const auto file = again->attachments().item(1);
    EXPECT_EQ(std::tuple(again->subject(), again->bodyFormat(), again->htmlBody(), again->to(),
                         again->sentOn(), again->entryId(), again->attachments().count(),
                         file->displayName(), file->fileName(), file->size(), file->position()),
              std::tuple("Møde om sag 12", FormatHtml, "<p>Kære klient</p>", "Klient", Never, "", 1,
                         "Til klient", "Brev.pdf", 12, 4));
    EXPECT_THROW(app->createItemFromTemplate("C:\\Sager\\Brev.pdf"), Failure);
}

// Outlook gives every item it makes, or whose subject changes, the subject's
// prefix and the rest, the normalized subject, by which readers thread
// conversations.
TEST_F(StoreOutlookTest, AMadeItemCarriesItsSubjectPrefixAndNormalizedSubject) {
    const std::pair<const char*, const char*> cases[] = {
        {"SV: Møde i sagen", "SV: |Møde i sagen"},
        {"Re: Re: Dom", "Re: |Re: Dom"},
        {"VS: ", "VS: |"},
        {"Ærø: x", "Ærø: |x"},
        {"A-12: Frist", "|A-12: Frist"},
        {"Ikke: x", "|Ikke: x"},
        {"", "|"},
    };
    for (const auto& [subject, split] : cases) {
        const ItemPtr mail = newMail();
        mail->setSubject(subject);
        mail->saveAs("C:\\Sager\\emne.msg");
        const msgfile::Message saved =
            msgfile::readMessageFile((root.path() / "c" / "Sager" / "emne.msg").string());
        const auto text = [&](std::uint16_t id) {
            const msgfile::Property* found =
                saved.properties.find(msgfile::tagged(id), msgfile::property_type::Unicode);
            return found ? msgfile::utf16ToUtf8(found->data) : "none";
        };
        EXPECT_EQ(text(0x003D) + "|" + text(0x0E1D), split) << subject;
    }
}

TEST_F(StoreOutlookTest, TasksAndContactsHaveTheirOwnMembers) {
    const ItemPtr task = app->createItem(TaskItem);
    task->setDueDate({2026, 12, 24, 0, 0, 0});
    task->setStatus(TaskComplete);
    EXPECT_EQ(task->dateCompleted(), (LocalDateTime{2026, 12, 5, 0, 0, 0}));
    task->setStatus(TaskNotStarted);
    EXPECT_EQ(task->dateCompleted(), Never);
    task->save();
    EXPECT_EQ(std::tuple(app->session()->getItemFromId(task->entryId())->dueDate(),
                         items(FolderTasks)->count()),
              std::tuple(LocalDateTime{2026, 12, 24, 0, 0, 0}, 1));
    const ItemPtr contact = app->createItem(ContactItem);
    contact->setBusinessAddress("\rOdense");
    contact->save();
    EXPECT_EQ(app->session()->getItemFromId(contact->entryId())->businessAddress(), "\rOdense");
    // A member of another kind of item fails as Outlook's does.
    const auto fails = ::testing::Throws<Failure>(::testing::Property(&Failure::number, 438));
    EXPECT_THAT([&] { task->fullName(); }, fails);
    EXPECT_THAT([&] { contact->dueDate(); }, fails);
    EXPECT_THAT([&] { task->sentOn(); }, fails);
    EXPECT_THROW(app->createItem(7), Failure);
}

using Read = std::function<std::string()>;

// A reader that keeps nothing but `handle`.
template <typename Handle, typename Reads> Read keep(Handle handle, Reads reads) {
    return [=] {
        return std::invoke(reads, *handle);
    };
}

ItemPtr savedDraft(const AppPtr& app) {
    const ItemPtr mail = app->createItem(MailItem);
    mail->setSubject("Kladde");
    mail->save();
    return app->session()->getDefaultFolder(FolderDrafts)->items()->item(1);
}

// Every kind of handle the store hands out, kept after all it came from is
// dropped, down to the Outlook that opened the store: it reads what it held,
// or fails with a Failure (an item that needs the opener's drives), and never
// touches freed memory.
TEST_F(StoreOutlookTest, AHandleOutlivesEverythingItCameFrom) {
    const std::pair<std::function<Read(AppPtr)>, std::string> cases[] = {
        {[](AppPtr a) {
             return keep(a->createItem(MailItem)->recipients().add("h@f.dk"),
                         &OutlookRecipient::address);
         },
         "h@f.dk"},
        {[](AppPtr a) {
             return keep(
                 a->createItem(MailItem)->attachments().add("C:\\Sager\\Brev.pdf", 1, -1, "B"),
                 &OutlookAttachment::displayName);
         },
         "B"},
        {[](AppPtr a) {
             return keep(savedDraft(a), [](OutlookItem& item) {
                 item.setBody("ændret");
                 item.save();
                 return item.subject();
             });
         },
         "Kladde"},
        {[](AppPtr a) {
             return keep(savedDraft(a), [](OutlookItem& item) {
                 item.saveAs("C:\\Sager\\Kladde.msg");
                 return item.subject();
             });
         },
         "Failure"},
        {[](AppPtr a) {
             return keep((savedDraft(a), a->session()->getDefaultFolder(FolderDrafts)->items()),
                         [](OutlookItems& i) { return i.item(1)->subject(); });
         },
         "Kladde"},
        {[](AppPtr a) {
             return keep(a->session()->getDefaultFolder(FolderInbox),
                         [](OutlookFolder& f) { return std::to_string(f.items()->count()); });
         },
         "0"},
        {[](AppPtr a) { return keep(a->session(), &OutlookNamespace::currentUserName); },
         "Lexitray-bruger"},
        {[](AppPtr a) { return keep(a, &OutlookApplication::version); }, "12.0.0.4518"},
    };
    for (const auto& [make, reads] : cases) {
        auto opener = std::make_unique<FakeOutlook>(clock, ui, windows, drives);
        const Read read = make(opener->start());
        opener.reset();
        try {
            EXPECT_EQ(read(), reads);
        } catch (const Failure&) {
            EXPECT_EQ("Failure", reads);
        }
    }
}

TEST_F(StoreOutlookTest, PicksFoldersThroughTheUser) {
    windows.folderChoices = {-1, 2};
    EXPECT_EQ(app->session()->pickFolder(), nullptr);
    EXPECT_EQ(app->session()->pickFolder()->name(), "Sendt post");
}

// Tasks, task requests and contacts are written as Outlook writes them, with
// the properties Outlook keeps beside their fields, and open windows of
// their own when shown without waiting.
TEST_F(StoreOutlookTest, TasksAndContactsExportAsOutlookItemsAndShowTheirWindows) {
    using msgfile::named;
    namespace set = msgfile::property_set;
    namespace type = msgfile::property_type;
    const ItemPtr task = app->createItem(TaskItem);
    task->setSubject("A-12: Frist");
    task->setStatus(TaskComplete);
    const ItemPtr request = app->createItem(TaskItem);
    request->setSubject("A-13: Svar");
    request->assign();
    request->recipients().add("modpart@advokat.dk");
    const ItemPtr contact = app->createItem(ContactItem);
    contact->setFullName("Jens Hansen");
    contact->setEmail1Address("jh@hansen.dk");
    const auto exported = [&](const ItemPtr& item, const std::string& name) {
        item->saveAs("C:\\Sager\\" + name);
        item->display(false);
        return msgfile::readMessageFile((root.path() / "c" / "Sager" / name).string());
    };
    const auto entry = [](const msgfile::Message& message, const msgfile::PropertyKey& key,
                          std::uint16_t propertyType) {
        const msgfile::Property* found = message.properties.find(key, propertyType);
        return found ? found->entry : 99;
    };

    const msgfile::Message savedTask = exported(task, "opgave.msg");
    EXPECT_EQ(std::tuple(savedTask.messageClass,
                         entry(savedTask, named(set::Task, 0x811C), type::Boolean),
                         entry(savedTask, named(set::Task, 0x8102), type::Double),
                         entry(savedTask, named(set::Task, 0x8113), type::Long)),
              std::tuple("IPM.Task", 1u, std::bit_cast<std::uint64_t>(1.0), 1u));
    const msgfile::Message savedRequest = exported(request, "anmodning.msg");
    ASSERT_EQ(savedRequest.attachments.size(), 1u);
    const msgfile::Message& embedded = *savedRequest.attachments[0].embeddedMessage;
    EXPECT_EQ(std::tuple(savedRequest.messageClass, savedRequest.displayTo, embedded.messageClass,
                         embedded.subject, entry(embedded, named(set::Common, 0x8518), type::Long)),
              std::tuple("IPM.TaskRequest", "modpart@advokat.dk", "IPM.Task", "A-13: Svar", 1u));
    const msgfile::Message savedContact = exported(contact, "kontakt.msg");
    EXPECT_EQ(
        std::tuple(
            savedContact.messageClass, savedContact.subject,
            msgfile::utf16ToUtf8(
                savedContact.properties.find(named(set::Address, 0x8080), type::Unicode)->data)),
        std::tuple("IPM.Contact", "Jens Hansen", "Jens Hansen (jh@hansen.dk)"));

    newMail()->display(false);
    std::vector<std::string> shown;
    for (const ItemWindowContent& window : windows.itemWindows) {
        shown.push_back(window.kind + ": " + window.title);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"task: A-12: Frist - Opgave",
                                               "taskrequest: A-13: Svar - Opgaveanmodning",
                                               "contact: Jens Hansen - Kontakt"}));
}

} // namespace
} // namespace lexi::mailstore
