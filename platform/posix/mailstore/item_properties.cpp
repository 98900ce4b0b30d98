#include "platform/posix/mailstore/item_properties.h"

#include "platform/posix/msgfile/message_fields.h"
#include "platform/posix/msgfile/property_stream.h"
#include "platform/posix/msgfile/text_encoding.h"
#include "platform/text.h"

#include <algorithm>
#include <bit>

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

// A text property, Unicode; an empty text removes it.
void putText(msgfile::Message& message, const msgfile::PropertyKey& key, const std::string& utf8) {
    message.properties.erase(key);
    if (!utf8.empty()) {
        msgfile::Property property{key, msgfile::property_type::Unicode,
                                   msgfile::ReadableAndWritable};
        property.data = msgfile::utf8ToUtf16(utf8);
        message.properties.put(std::move(property));
    }
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
    task.subject = request.subject;
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
        contact.subject = contact.contactFullName;
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
