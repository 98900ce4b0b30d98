#include "platform/posix/mailstore/item_properties.h"

#include "platform/posix/msgfile/message_fields.h"
#include "platform/posix/msgfile/property_stream.h"
#include "platform/posix/msgfile/text_encoding.h"
#include "platform/text.h"
#include "platform/utf8.h"

#include <algorithm>
#include <bit>
#include <cctype>

namespace lexi::mailstore {
namespace {

using msgfile::named;
using msgfile::property_set::Address;
using msgfile::property_set::Common;
using msgfile::property_set::Task;

// Task properties (MS-OXOTASK).
constexpr std::uint32_t TaskComplete = 0x811C;    // PidLidTaskComplete, boolean
constexpr std::uint32_t PercentComplete = 0x8102; // PidLidPercentComplete, double
constexpr std::uint32_t TaskState = 0x8113;       // PidLidTaskState
constexpr std::uint32_t TaskOwnership = 0x8129;   // PidLidTaskOwnership
constexpr std::uint32_t TaskFRecurring = 0x8126;  // PidLidTaskFRecurring, boolean
constexpr std::uint32_t TaskMode = 0x8518;        // PidLidTaskMode (common set)
constexpr std::uint32_t TaskStatus = 0x8101;      // PidLidTaskStatus
// Contact properties (MS-OXOCNTC).
constexpr std::uint32_t FileUnder = 0x8005;         // PidLidFileUnder
constexpr std::uint32_t FileUnderId = 0x8006;       // PidLidFileUnderId
constexpr std::uint32_t Email1DisplayName = 0x8080; // PidLidEmail1DisplayName
constexpr std::uint32_t Email1AddressType = 0x8082; // PidLidEmail1AddressType
constexpr std::uint32_t Email1Original = 0x8084;    // PidLidEmail1OriginalDisplayName
// PidLidFileUnderId: the filing name is the display name as entered.
constexpr std::uint32_t FileUnderAsEntered = 0x8037;
// Subject properties (MS-OXCMSG).
constexpr std::uint16_t SubjectPrefix = 0x003D;     // PidTagSubjectPrefix
constexpr std::uint16_t NormalizedSubject = 0x0E1D; // PidTagNormalizedSubject

// The task states and modes.
constexpr std::uint32_t NotAssigned = 1;
constexpr std::uint32_t AssignersCopy = 3;
constexpr std::uint32_t EmbeddedInRequest = 1;

void putFixed(msgfile::Message& message, const msgfile::PropertyKey& key, std::uint16_t type,
              std::uint64_t entry) {
    message.properties.put({key, type, msgfile::ReadableAndWritable, entry});
}

void putLong(msgfile::Message& message, const msgfile::PropertyKey& key, std::uint32_t value) {
    putFixed(message, key, msgfile::property_type::Long, value);
}

void putBoolean(msgfile::Message& message, const msgfile::PropertyKey& key, bool value) {
    putFixed(message, key, msgfile::property_type::Boolean, value ? 1 : 0);
}

// A text property, Unicode, replacing one of any type.
void putUnicode(msgfile::Message& message, const msgfile::PropertyKey& key, std::string_view utf8) {
    message.properties.erase(key);
    msgfile::Property property{key, msgfile::property_type::Unicode, msgfile::ReadableAndWritable};
    property.data = msgfile::utf8ToUtf16(utf8);
    message.properties.put(std::move(property));
}

// A text property, Unicode; an empty text removes it.
void putText(msgfile::Message& message, const msgfile::PropertyKey& key, const std::string& utf8) {
    message.properties.erase(key);
    if (!utf8.empty()) {
        putUnicode(message, key, utf8);
    }
}

// The length of the subject's prefix: one to three letters (no digit, blank
// or punctuation), a colon and a space; 0 when it has none.
std::size_t subjectPrefixLength(std::string_view subject) {
    std::size_t pos = 0;
    for (int letters = 0; letters <= 3 && pos < subject.size(); ++letters) {
        if (subject.substr(pos).starts_with(": ")) {
            return letters > 0 ? pos + 2 : 0;
        }
        const auto c = static_cast<unsigned char>(subject[pos]);
        if (c < 0x80 && !std::isalpha(c)) {
            return 0;
        }
        utf8::decode(subject, pos);
    }
    return 0;
}

void addTaskProperties(msgfile::Message& task, std::uint32_t state, std::uint32_t mode) {
    const bool complete = task.taskStatus == msgfile::TaskStatus::Complete;
    putLong(task, named(Task, TaskStatus), static_cast<std::uint32_t>(task.taskStatus));
    putBoolean(task, named(Task, TaskComplete), complete);
    putFixed(task, named(Task, PercentComplete), msgfile::property_type::Double,
             std::bit_cast<std::uint64_t>(complete ? 1.0 : 0.0));
    putLong(task, named(Task, TaskState), state);
    putLong(task, named(Task, TaskOwnership), state == AssignersCopy ? 1 : 0);
    putBoolean(task, named(Task, TaskFRecurring), false);
    putLong(task, named(Common, TaskMode), mode);
}

// The task a request carries: the request's task fields and texts, as a
// task item.
msgfile::Message requestedTask(const msgfile::Message& request) {
    msgfile::Message task;
    task.messageClass = "IPM.Task";
    setItemSubject(task, request.subject);
    task.body = request.body;
    task.creationTime = request.creationTime;
    task.taskDueDate = request.taskDueDate;
    task.taskStatus = request.taskStatus;
    task.taskDateCompleted = request.taskDateCompleted;
    addTaskProperties(task, AssignersCopy, EmbeddedInRequest);
    return task;
}

void attachRequestedTask(msgfile::Message& request) {
    std::erase_if(request.attachments, [](const msgfile::Attachment& attachment) {
        return attachment.method == msgfile::AttachMethod::EmbeddedMessage &&
               attachment.embeddedMessage &&
               text::toLower(attachment.embeddedMessage->messageClass) == "ipm.task";
    });
    msgfile::Attachment attachment;
    attachment.method = msgfile::AttachMethod::EmbeddedMessage;
    attachment.displayName = request.subject;
    attachment.embeddedMessage = requestedTask(request);
    request.attachments.push_back(std::move(attachment));
}

void addContactProperties(msgfile::Message& contact) {
    if (contact.subject.empty()) {
        setItemSubject(contact, contact.contactFullName);
    }
    putText(contact, named(Address, FileUnder), contact.contactFullName);
    putLong(contact, named(Address, FileUnderId), FileUnderAsEntered);
    const std::string shown =
        contact.email1Address.empty()
            ? std::string()
            : (contact.contactFullName.empty()
                   ? contact.email1Address
                   : contact.contactFullName + " (" + contact.email1Address + ")");
    putText(contact, named(Address, Email1DisplayName), shown);
    putText(contact, named(Address, Email1Original), contact.email1Address);
    putText(contact, named(Address, Email1AddressType),
            contact.email1Address.empty() ? std::string() : std::string("SMTP"));
}

} // namespace

void setItemSubject(msgfile::Message& message, std::string_view subject) {
    message.subject = subject;
    const std::size_t prefix = subjectPrefixLength(subject);
    putUnicode(message, msgfile::tagged(SubjectPrefix), subject.substr(0, prefix));
    putUnicode(message, msgfile::tagged(NormalizedSubject), subject.substr(prefix));
}

void addItemProperties(msgfile::Message& message) {
    const std::string messageClass = text::toLower(message.messageClass);
    if (messageClass == "ipm.task") {
        addTaskProperties(message, NotAssigned, 0);
    } else if (messageClass == "ipm.taskrequest") {
        attachRequestedTask(message);
    } else if (messageClass == "ipm.contact") {
        addContactProperties(message);
    }
}

} // namespace lexi::mailstore
