#include "platform/posix/msgfile/message_writer.h"

#include "platform/failure.h"
#include "platform/posix/msgfile/body_format.h"
#include "platform/posix/msgfile/compound_writer.h"
#include "platform/posix/msgfile/little_endian.h"
#include "platform/posix/msgfile/message_fields.h"
#include "platform/posix/msgfile/named_properties.h"
#include "platform/posix/msgfile/property_stream.h"
#include "platform/posix/msgfile/property_writer.h"
#include "platform/posix/msgfile/storage_names.h"

namespace lexi::msgfile {
namespace {

// The CLSID Outlook gives the root storage of a message file.
constexpr CompoundWriter::ClassId MessageClassId{0x0B, 0x0D, 0x02, 0, 0, 0, 0, 0,
                                                 0xC0, 0,    0,    0, 0, 0, 0, 0x46};
constexpr std::uint32_t Utf8CodePage = 65001;
constexpr std::uint32_t StoreUnicodeOk = 0x00040000;
constexpr std::uint32_t MailUserObject = 6;   // MAPI_MAILUSER
constexpr std::uint32_t AttachmentObject = 7; // MAPI_ATTACH

// Empty texts and NoDate times are left out; numbers are always written.
template <class Owner, std::size_t Count>
void writeTexts(PropertyWriter& properties, NamedPropertyTable& names,
                const Field<Owner, std::string> (&fields)[Count], const Owner& owner) {
    for (const auto& field : fields) {
        if (!(owner.*field.member).empty()) {
            properties.text(names.id(field.key), owner.*field.member);
        }
    }
}

template <class Owner, class Value>
void writeNumber(PropertyWriter& properties, NamedPropertyTable& names,
                 const Field<Owner, Value>& field, const Owner& owner) {
    properties.integer(names.id(field.key), static_cast<std::uint32_t>(owner.*field.member));
}

// Next recipient and attachment numbers, then the counts (MS-OXMSG 2.4.1.1).
std::string messageHeader(const Message& message) {
    const auto recipients = static_cast<std::uint32_t>(message.recipients.size());
    const auto attachments = static_cast<std::uint32_t>(message.attachments.size());
    std::string header(8, '\0');
    appendLittleEndian(header, recipients, 4);
    appendLittleEndian(header, attachments, 4);
    appendLittleEndian(header, recipients, 4);
    appendLittleEndian(header, attachments, 4);
    header.resize(MessageHeaderSize, '\0');
    return header;
}

void writeMessageProperties(OutStorage& root, NamedPropertyTable& names, const Message& message) {
    PropertyWriter properties;
    writeTexts(properties, names, messageTexts, message);
    for (const auto& field : messageTimes) {
        if (message.*field.member != NoDate) {
            properties.time(names.id(field.key), message.*field.member);
        }
    }
    writeNumber(properties, names, messageImportance, message);
    writeNumber(properties, names, messageFlags, message);
    writeNumber(properties, names, messageTaskStatus, message);
    if (!message.htmlBody.empty()) {
        properties.binary(property_id::HtmlBody, message.htmlBody);
    }
    if (const auto nativeBody = nativeBodyOf(message.bodyFormat)) {
        properties.integer(property_id::NativeBody, *nativeBody);
    }
    properties.integer(property_id::InternetCodepage, Utf8CodePage);
    properties.integer(property_id::StoreSupportMask, StoreUnicodeOk);
    properties.write(root, messageHeader(message));
}

void writeRecipient(OutStorage storage, NamedPropertyTable& names, const Recipient& recipient,
                    std::uint32_t number) {
    PropertyWriter properties;
    writeTexts(properties, names, recipientTexts, recipient);
    writeNumber(properties, names, recipientType, recipient);
    properties.integer(property_id::RowId, number);
    properties.integer(property_id::ObjectType, MailUserObject);
    properties.write(storage, std::string(ChildHeaderSize, '\0'));
}

void writeAttachment(OutStorage storage, NamedPropertyTable& names, const Attachment& attachment,
                     std::uint32_t number) {
    PropertyWriter properties;
    writeTexts(properties, names, attachmentTexts, attachment);
    writeNumber(properties, names, attachmentMethod, attachment);
    writeNumber(properties, names, attachmentRenderingPosition, attachment);
    properties.binary(property_id::AttachDataBinary, attachment.data);
    properties.integer(property_id::AttachNumber, number);
    properties.integer(property_id::ObjectType, AttachmentObject);
    properties.write(storage, std::string(ChildHeaderSize, '\0'));
}

void checkWritable(const Message& message) {
    for (const Attachment& attachment : message.attachments) {
        if (attachment.method != AttachMethod::ByValue) {
            throw Failure(failure::InvalidProcedureCall,
                          "Only attachments by value can be saved in a message file: " +
                              attachment.displayName,
                          "msgfile");
        }
    }
}

} // namespace

std::string buildMessageFile(const Message& message) {
    checkWritable(message);
    CompoundWriter file(MessageClassId);
    {
        OutStorage root = file.root();
        NamedPropertyTable names;
        writeMessageProperties(root, names, message);
        for (std::uint32_t i = 0; i < message.recipients.size(); ++i) {
            writeRecipient(root.storage(childStorageName(RecipientStoragePrefix, i)), names,
                           message.recipients[i], i);
        }
        for (std::uint32_t i = 0; i < message.attachments.size(); ++i) {
            writeAttachment(root.storage(childStorageName(AttachmentStoragePrefix, i)), names,
                            message.attachments[i], i);
        }
        names.write(root);
    }
    return file.finish();
}

} // namespace lexi::msgfile
