#pragma once

#include "platform/posix/msgfile/property_bag.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// An Outlook item as a .msg file carries it, as a plain value. Texts are
// UTF-8; a text the file does not carry is empty. Besides the fields, each
// message, recipient and attachment keeps in `properties` every property the
// file had, so that the item is written back whole; the fields are a view on
// them, and a field the program changes wins over its property.
namespace lexi::msgfile {

// The file's own resolution: 100-nanosecond ticks. A time is UTC; turning it
// into local time is the caller's business.
using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
using Time = std::chrono::sys_time<Ticks>;

// The time Outlook shows for a date an item does not have, e.g. the send time
// of a mail never sent. The reader reports every absent time as NoDate and the
// writer leaves a time that equals NoDate out of the file.
inline constexpr Time NoDate{std::chrono::sys_days{std::chrono::year{4501} / 1 / 1}};

// The numbers are Outlook's OlBodyFormat.
enum class BodyFormat : std::int32_t { Unspecified = 0, Plain = 1, Html = 2, RichText = 3 };

// The numbers are Outlook's OlImportance and the file's PR_IMPORTANCE.
enum class Importance : std::int32_t { Low = 0, Normal = 1, High = 2 };

// The numbers are Outlook's OlTaskStatus and the file's task status.
enum class TaskStatus : std::int32_t {
    NotStarted = 0,
    InProgress = 1,
    Complete = 2,
    Waiting = 3,
    Deferred = 4
};

// The numbers are the file's PR_RECIPIENT_TYPE (and Outlook's
// OlMailRecipientType).
enum class RecipientType : std::int32_t { To = 1, Cc = 2, Bcc = 3 };

// The numbers are the file's PR_ATTACH_METHOD. A ByValue attachment carries
// its bytes in `data`, an EmbeddedMessage its mail in `embeddedMessage`; the
// others keep what they carry in their properties.
enum class AttachMethod : std::int32_t {
    None = 0,
    ByValue = 1,
    ByReference = 2,
    ByReferenceOnly = 4,
    EmbeddedMessage = 5,
    Ole = 6
};

// Bits of Message::flags (PR_MESSAGE_FLAGS).
namespace message_flag {
inline constexpr std::uint32_t Read = 0x01;
inline constexpr std::uint32_t Unmodified = 0x02;
inline constexpr std::uint32_t Submitted = 0x04;
inline constexpr std::uint32_t Unsent = 0x08;
inline constexpr std::uint32_t HasAttachments = 0x10;
} // namespace message_flag

struct Recipient {
    RecipientType type = RecipientType::To;
    std::string displayName;
    std::string address;
    std::string addressType = "SMTP";
    // The SMTP form of an Exchange ("EX") address, when the file has it.
    std::string smtpAddress;
    PropertyBag properties{};

    bool operator==(const Recipient&) const = default;
};

struct Message;

// The mail an attachment carries, owned by it: a copy copies the mail.
class NestedMessage {
public:
    NestedMessage();
    NestedMessage(Message message);
    NestedMessage(const NestedMessage& other);
    NestedMessage(NestedMessage&& other) noexcept;
    NestedMessage& operator=(const NestedMessage& other);
    NestedMessage& operator=(NestedMessage&& other) noexcept;
    ~NestedMessage();

    explicit operator bool() const { return message_ != nullptr; }
    const Message& operator*() const { return *message_; }
    Message& operator*() { return *message_; }
    const Message* operator->() const { return message_.get(); }
    Message* operator->() { return message_.get(); }

    bool operator==(const NestedMessage& other) const;

private:
    std::unique_ptr<Message> message_;
};

struct Attachment {
    AttachMethod method = AttachMethod::ByValue;
    std::string data;         // the bytes of a ByValue attachment
    std::string fileName;     // the 8.3 name
    std::string longFileName; // the full name
    std::string displayName;
    std::string mimeType;
    // Character position of the attachment in the body; -1 hides it.
    std::int32_t renderingPosition = -1;
    // The name an HTML body uses for the attachment ("cid:..."), when it
    // shows it inline, without the angle brackets.
    std::string contentId{};
    NestedMessage embeddedMessage{};
    PropertyBag properties{};

    bool operator==(const Attachment&) const = default;
};

// One Outlook item: a mail, meeting request, report, task or contact. Fields
// of other kinds of item stay at their defaults.
struct Message {
    std::string messageClass = "IPM.Note";
    std::string subject;
    std::string body;     // plain text
    std::string htmlBody; // UTF-8 HTML
    // On reading, an item that does not state its format gets the one Outlook
    // would show: HTML, else rich text, else plain text when it has a body.
    BodyFormat bodyFormat = BodyFormat::Unspecified;
    Importance importance = Importance::Normal;
    std::uint32_t flags = 0; // message_flag bits

    std::string senderName;
    std::string senderAddress;
    std::string senderAddressType;
    std::string senderSmtpAddress;
    std::string displayTo; // "Name; Name", as Outlook shows the To line
    std::string displayCc;
    std::string displayBcc;
    // The Message-ID the mail left with, without the angle brackets.
    std::string internetMessageId;
    std::vector<Recipient> recipients;
    std::vector<Attachment> attachments;

    Time sentOn = NoDate;       // submit time
    Time receivedTime = NoDate; // delivery time
    Time creationTime = NoDate;

    std::string billingInformation;
    std::string mileage;

    Time taskDueDate = NoDate;
    TaskStatus taskStatus = TaskStatus::NotStarted;
    Time taskDateCompleted = NoDate;

    std::string contactFullName;
    std::string companyName;
    std::string businessAddress;
    std::string email1Address;
    std::string businessTelephoneNumber;
    std::string businessFaxNumber;
    std::string profession;

    Time meetingStart = NoDate;

    PropertyBag properties{};

    bool operator==(const Message&) const = default;
};

} // namespace lexi::msgfile
