#pragma once

#include "platform/clock.h"

#include <memory>
#include <string>
#include <string_view>

// Outlook's object model, as far as the mail features and the library drive
// it. Objects are shared handles, released when the last holder drops them.
// Every member throws lexi::Failure as an automation error would: 438 for a
// member the item's kind does not have, 440 for a call the store refuses.
namespace lexi {

class OutlookItem;
class OutlookFolder;
class OutlookItems;
class OutlookNamespace;

using ItemPtr = std::shared_ptr<OutlookItem>;
using FolderPtr = std::shared_ptr<OutlookFolder>;
using ItemsPtr = std::shared_ptr<OutlookItems>;

namespace outlook {

// The kinds CreateItem makes.
inline constexpr int MailItem = 0;
inline constexpr int ContactItem = 2;
inline constexpr int TaskItem = 3;

// The Class numbers of items.
inline constexpr int ClassAppointment = 26;
inline constexpr int ClassContact = 40;
inline constexpr int ClassMail = 43;
inline constexpr int ClassReport = 46;
inline constexpr int ClassTask = 48;
inline constexpr int ClassMeetingRequest = 53;
inline constexpr int ClassMeetingCancellation = 54;

// The default folders.
inline constexpr int FolderDeletedItems = 3;
inline constexpr int FolderOutbox = 4;
inline constexpr int FolderSentItems = 5;
inline constexpr int FolderInbox = 6;
inline constexpr int FolderCalendar = 9;
inline constexpr int FolderContacts = 10;
inline constexpr int FolderTasks = 13;
inline constexpr int FolderDrafts = 16;

// Body formats.
inline constexpr int FormatPlain = 1;
inline constexpr int FormatHtml = 2;

// Recipient types.
inline constexpr int To = 1;
inline constexpr int Cc = 2;
inline constexpr int Bcc = 3;

// Task status.
inline constexpr int TaskNotStarted = 0;
inline constexpr int TaskComplete = 2;

// An attachment that is a copy of the file.
inline constexpr int ByValue = 1;

// An item's importance and flag, as a folder's table view shows them.
inline constexpr int ImportanceLow = 0;
inline constexpr int ImportanceNormal = 1;
inline constexpr int ImportanceHigh = 2;
inline constexpr int FlagNone = 0;
inline constexpr int FlagComplete = 1;
inline constexpr int FlagMarked = 2;

// Close without saving.
inline constexpr int Discard = 1;

// The date Outlook shows for a time that never happened: a mail's send time
// before it is sent.
inline constexpr LocalDateTime Never{4501, 1, 1, 0, 0, 0};

} // namespace outlook

// The mail's events, raised on the caller's thread while its modal display
// lasts. A handler that sets `cancel` stops the send or the close. A send
// that Outlook then could not carry out is told by onSendFailed: the mail is
// back as it was before the send event, and its window stays open.
class MailEvents {
public:
    virtual ~MailEvents() = default;
    virtual void onSend(bool& cancel) = 0;
    virtual void onSendFailed() = 0;
    virtual void onClose(bool& cancel) = 0;
};

class OutlookRecipient {
public:
    virtual ~OutlookRecipient() = default;
    virtual std::string name() = 0;
    virtual std::string address() = 0;
    virtual int type() = 0;
    virtual void setType(int type) = 0;
};

class OutlookRecipients {
public:
    virtual ~OutlookRecipients() = default;
    virtual int count() = 0;
    // 1-based.
    virtual std::shared_ptr<OutlookRecipient> item(int index) = 0;
    // A typed recipient ("Navn <adresse>", an address or a name), type To.
    virtual std::shared_ptr<OutlookRecipient> add(std::string_view recipient) = 0;
    // True when every recipient could be resolved to an address.
    virtual bool resolveAll() = 0;
};

class OutlookAttachment {
public:
    virtual ~OutlookAttachment() = default;
    virtual std::string displayName() = 0;
    virtual std::string fileName() = 0;
    virtual std::int64_t size() = 0;
    virtual int position() = 0;
    virtual void setPosition(int position) = 0;
};

class OutlookAttachments {
public:
    virtual ~OutlookAttachments() = default;
    virtual int count() = 0;
    // 1-based.
    virtual std::shared_ptr<OutlookAttachment> item(int index) = 0;
    // Attaches a copy of the file (a workstation path) by value. A position
    // below 0 means none is given.
    virtual std::shared_ptr<OutlookAttachment> add(std::string_view path, int type, int position,
                                                   std::string_view displayName) = 0;
};

// Any Outlook item: mail, report, meeting request or cancellation, task,
// contact or appointment. Members its kind lacks throw Failure 438.
class OutlookItem {
public:
    virtual ~OutlookItem() = default;

    // Every item.
    virtual int itemClass() = 0;
    // Empty until the item is stored.
    virtual std::string entryId() = 0;
    virtual std::string subject() = 0;
    virtual void setSubject(std::string_view subject) = 0;
    virtual std::string body() = 0;
    virtual void setBody(std::string_view body) = 0;
    virtual LocalDateTime creationTime() = 0;
    virtual void save() = 0;
    // Writes the item to a file in the Outlook message format.
    virtual void saveAs(std::string_view path) = 0;
    // With `modal` the call returns when the item's window has closed.
    virtual void display(bool modal) = 0;
    // outlook::Discard closes without saving.
    virtual void close(int saveMode) = 0;
    virtual void deleteItem() = 0;

    // Mail.
    virtual LocalDateTime sentOn() = 0;
    virtual LocalDateTime receivedTime() = 0;
    virtual std::string to() = 0;
    virtual void setTo(std::string_view to) = 0;
    virtual std::string bcc() = 0;
    virtual void setBcc(std::string_view bcc) = 0;
    virtual std::string htmlBody() = 0;
    virtual void setHtmlBody(std::string_view html) = 0;
    virtual int bodyFormat() = 0;
    virtual std::string senderName() = 0;
    virtual std::string billingInformation() = 0;
    virtual void setBillingInformation(std::string_view text) = 0;
    virtual std::string mileage() = 0;
    virtual void setMileage(std::string_view text) = 0;
    virtual void setSentOnBehalfOfName(std::string_view name) = 0;
    virtual OutlookRecipients& recipients() = 0;
    virtual OutlookAttachments& attachments() = 0;
    // An unsaved copy.
    virtual ItemPtr copy() = 0;
    // The handler of the mail's send and close events; null for none. The
    // item does not own it.
    virtual void setEvents(MailEvents* events) = 0;

    // Task.
    virtual LocalDateTime dueDate() = 0;
    virtual void setDueDate(const LocalDateTime& date) = 0;
    virtual int status() = 0;
    virtual void setStatus(int status) = 0;
    virtual LocalDateTime dateCompleted() = 0;
    // Makes the task a task request, to be sent to its recipients.
    virtual void assign() = 0;

    // Contact.
    virtual std::string fullName() = 0;
    virtual void setFullName(std::string_view text) = 0;
    virtual std::string companyName() = 0;
    virtual void setCompanyName(std::string_view text) = 0;
    virtual std::string businessAddress() = 0;
    virtual void setBusinessAddress(std::string_view text) = 0;
    virtual std::string email1Address() = 0;
    virtual void setEmail1Address(std::string_view text) = 0;
    virtual std::string businessTelephoneNumber() = 0;
    virtual void setBusinessTelephoneNumber(std::string_view text) = 0;
    virtual std::string businessFaxNumber() = 0;
    virtual void setBusinessFaxNumber(std::string_view text) = 0;
    virtual std::string profession() = 0;
    virtual void setProfession(std::string_view text) = 0;

    // Meeting request or cancellation: the appointment it is about.
    virtual ItemPtr getAssociatedAppointment(bool addToCalendar) = 0;
    // Appointment.
    virtual LocalDateTime start() = 0;

    // What a folder's table view shows of any item.
    // outlook::ImportanceLow, ImportanceNormal or ImportanceHigh.
    virtual int importance() = 0;
    // The item's size in bytes.
    virtual std::int64_t size() = 0;
    // outlook::FlagNone, FlagComplete or FlagMarked.
    virtual int flagStatus() = 0;
};

// The items of a folder, or the result of a Restrict.
class OutlookItems {
public:
    virtual ~OutlookItems() = default;
    virtual int count() = 0;
    // 1-based; Failure 440 outside 1 to count.
    virtual ItemPtr item(int index) = 0;
    // Deletes the item at that position from its folder.
    virtual void remove(int index) = 0;
    // The items the filter selects, for example "[SentOn] > '24-12-2026 14:05'".
    virtual ItemsPtr restrict(std::string_view filter) = 0;
};

class OutlookFolder {
public:
    virtual ~OutlookFolder() = default;
    virtual ItemsPtr items() = 0;
    virtual std::string name() = 0;
    // The kind of item the folder holds (outlook::MailItem for mail).
    virtual int defaultItemType() = 0;
};

class OutlookNamespace {
public:
    virtual ~OutlookNamespace() = default;
    virtual FolderPtr getDefaultFolder(int folder) = 0;
    // The user's choice of folder; null when cancelled.
    virtual FolderPtr pickFolder() = 0;
    // The stored item with that entry ID; Failure 440 when there is none.
    virtual ItemPtr getItemFromId(std::string_view entryId) = 0;
    // The display name of the current user.
    virtual std::string currentUserName() = 0;
    // Asks Outlook to send what waits in its Outbox; it does so in the
    // background, when it sees fit, and the call returns at once.
    virtual void sendAndReceive() = 0;
};

class OutlookApplication {
public:
    virtual ~OutlookApplication() = default;

    // "12.0.0.4518".
    virtual std::string version() = 0;
    // GetNamespace("MAPI"), also the application's Session.
    virtual std::shared_ptr<OutlookNamespace> session() = 0;
    // A new, unsaved item: outlook::MailItem, ContactItem or TaskItem.
    virtual ItemPtr createItem(int kind) = 0;
    // A new item with the content of a saved message file.
    virtual ItemPtr createItemFromTemplate(std::string_view path) = 0;
};

// Reaching Outlook: the running instance, or a new one that the caller then
// knows it started.
class OutlookConnector {
public:
    virtual ~OutlookConnector() = default;

    // The running instance; null when Outlook is not running.
    virtual std::shared_ptr<OutlookApplication> running() = 0;
    // Starts Outlook and returns the new instance. Failure 429 when it
    // cannot be started.
    virtual std::shared_ptr<OutlookApplication> start() = 0;
};

} // namespace lexi
