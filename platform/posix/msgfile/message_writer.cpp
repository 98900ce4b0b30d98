#include "platform/posix/msgfile/message_writer.h"

#include "platform/posix/msgfile/body_format.h"
#include "platform/posix/msgfile/compound_writer.h"
#include "platform/posix/msgfile/field_values.h"
#include "platform/posix/msgfile/little_endian.h"
#include "platform/posix/msgfile/message_fields.h"
#include "platform/posix/msgfile/named_properties.h"
#include "platform/posix/msgfile/property_reader.h"
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

const Message DefaultMessage{};
const Attachment DefaultAttachment{};

template <class Owner, std::size_t Count>
void writeTexts(PropertyWriter& out, const PropertyReader& stored, std::uint32_t codePage,
                const Field<Owner, std::string> (&fields)[Count], const Owner& owner) {
    for (const auto& field : fields) {
        out.text(field.key, stored.text(field.key, codePage), owner.*field.member);
    }
}

// `none` is the number a field holds when its property is absent.
template <class Owner, class Value>
void writeNumber(PropertyWriter& out, const std::optional<Value>& stored,
                 const Field<Owner, Value>& field, const Owner& owner, Value none) {
    const auto asStored = [](Value value) {
        return static_cast<std::uint32_t>(value);
    };
    out.integer(field.key, stored ? std::optional(asStored(*stored)) : std::nullopt,
                asStored(owner.*field.member), asStored(none));
}

template <class Owner, class Value>
void writeNumber(PropertyWriter& out, const PropertyReader& stored,
                 const Field<Owner, Value>& field, const Owner& owner, const Owner& defaults) {
    writeNumber(out, readNumber(stored, field), field, owner, defaults.*field.member);
}

// Next recipient and attachment numbers, then the counts (MS-OXMSG 2.4.1.1);
// the top-level message's header has 8 more reserved bytes.
std::string messageHeader(const Message& message, std::size_t headerSize) {
    const auto recipients = static_cast<std::uint32_t>(message.recipients.size());
    const auto attachments = static_cast<std::uint32_t>(message.attachments.size());
    std::string header(8, '\0');
    appendLittleEndian(header, recipients, 4);
    appendLittleEndian(header, attachments, 4);
    appendLittleEndian(header, recipients, 4);
    appendLittleEndian(header, attachments, 4);
    header.resize(headerSize, '\0');
    return header;
}

// The plain and HTML bodies. When the program changed either, the RTF body
// no longer matches them and goes, and the native body names one that is
// there: the stated format when it can, else HTML, else plain text.
void writeBodies(PropertyWriter& out, const PropertyReader& stored, std::uint32_t codePage,
                 const Message& message) {
    const std::string storedHtml = readHtmlBody(stored, codePage);
    const bool bodyChanged = readBody(stored, codePage, storedHtml) != message.body;
    const bool htmlChanged = storedHtml != message.htmlBody;
    if (bodyChanged) {
        out.replaceText(messageBody.key, message.body);
    }
    if (htmlChanged) {
        out.removeEveryType(tagged(property_id::HtmlBody));
        if (!message.htmlBody.empty()) {
            out.setBinary(tagged(property_id::HtmlBody), message.htmlBody);
            out.setInteger(tagged(property_id::InternetCodepage), Utf8CodePage);
        }
    }
    const PropertyKey nativeBody = tagged(property_id::NativeBody);
    if (!bodyChanged && !htmlChanged) {
        if (readBodyFormat(stored, message.body, message.htmlBody) != message.bodyFormat) {
            if (const auto native = nativeBodyOf(message.bodyFormat)) {
                out.setInteger(nativeBody, *native);
            } else {
                out.removeEveryType(nativeBody);
            }
        }
        return;
    }
    out.removeEveryType(tagged(property_id::RtfCompressed));
    for (const std::uint16_t id : property_id::RtfSync) {
        out.removeEveryType(tagged(id));
    }
    if (stored.has(tagged(property_id::RtfInSync), property_type::Boolean)) {
        out.setBoolean(tagged(property_id::RtfInSync), false);
    }
    const bool statedIsThere =
        (message.bodyFormat == BodyFormat::Html && !message.htmlBody.empty()) ||
        (message.bodyFormat == BodyFormat::Plain && !message.body.empty());
    const BodyFormat format = statedIsThere               ? message.bodyFormat
                              : !message.htmlBody.empty() ? BodyFormat::Html
                                                          : BodyFormat::Plain;
    out.setInteger(nativeBody, *nativeBodyOf(format));
}

void writeMessage(OutStorage& storage, NamedPropertyTable& names, const Message& message,
                  std::size_t headerSize);

void writeRecipient(OutStorage storage, NamedPropertyTable& names, const Recipient& recipient,
                    std::uint32_t number, std::uint32_t codePage) {
    PropertyWriter out(recipient.properties);
    const PropertyReader stored(recipient.properties);
    for (const auto& field : recipientTexts) {
        // A recipient without an address gets no address type.
        const auto storedText = stored.text(field.key, codePage);
        if (field.member != &Recipient::addressType || storedText || !recipient.address.empty()) {
            out.text(field.key, storedText, recipient.*field.member);
        }
    }
    // A recipient always states its type.
    writeNumber(out, readRecipientType(stored), recipientType, recipient, RecipientType{});
    out.setInteger(tagged(property_id::RowId), number);
    out.setInteger(tagged(property_id::ObjectType), MailUserObject);
    out.write(storage, std::string(ChildHeaderSize, '\0'), names);
}

void writeAttachment(OutStorage storage, NamedPropertyTable& names, const Attachment& attachment,
                     std::uint32_t number, std::uint32_t codePage) {
    PropertyWriter out(attachment.properties);
    const PropertyReader stored(attachment.properties);
    const PropertyKey dataKey = tagged(property_id::AttachDataBinary);
    writeTexts(out, stored, codePage, attachmentTexts, attachment);
    // An attachment always states its method.
    writeNumber(out, readNumber(stored, attachmentMethod), attachmentMethod, attachment,
                AttachMethod::None);
    writeNumber(out, stored, attachmentRenderingPosition, attachment, DefaultAttachment);
    out.binary(dataKey, stored.binary(dataKey), attachment.data);
    if (attachment.embeddedMessage) {
        out.setObject(dataKey);
    }
    out.setInteger(tagged(property_id::AttachNumber), number);
    out.setInteger(tagged(property_id::ObjectType), AttachmentObject);
    out.write(storage, std::string(ChildHeaderSize, '\0'), names);
    if (attachment.embeddedMessage) {
        const Property* object = attachment.properties.find(dataKey, property_type::Object);
        OutStorage mail = storage.storage(valueStreamName(dataKey.id, property_type::Object));
        mail.setClassId(object != nullptr ? object->object.classId : MessageClassId);
        writeMessage(mail, names, *attachment.embeddedMessage, EmbeddedMessageHeaderSize);
    }
}

void writeMessage(OutStorage& storage, NamedPropertyTable& names, const Message& message,
                  std::size_t headerSize) {
    PropertyWriter out(message.properties);
    const PropertyReader stored(message.properties);
    const std::uint32_t codePage = codePageOf(stored);
    writeTexts(out, stored, codePage, messageTexts, message);
    writeBodies(out, stored, codePage, message);
    for (const auto& field : messageTimes) {
        out.time(field.key, stored.time(field.key), message.*field.member);
    }
    writeNumber(out, stored, messageImportance, message, DefaultMessage);
    writeNumber(out, stored, messageFlags, message, DefaultMessage);
    writeNumber(out, stored, messageTaskStatus, message, DefaultMessage);
    // We write Unicode strings, and say so.
    const PropertyKey supportMask = tagged(property_id::StoreSupportMask);
    const auto mask = stored.integer(supportMask);
    if (!mask || (*mask & StoreUnicodeOk) == 0) {
        out.setInteger(supportMask, mask.value_or(0) | StoreUnicodeOk);
    }
    out.write(storage, messageHeader(message, headerSize), names);
    for (std::uint32_t i = 0; i < message.recipients.size(); ++i) {
        writeRecipient(storage.storage(childStorageName(RecipientStoragePrefix, i)), names,
                       message.recipients[i], i, codePage);
    }
    for (std::uint32_t i = 0; i < message.attachments.size(); ++i) {
        writeAttachment(storage.storage(childStorageName(AttachmentStoragePrefix, i)), names,
                        message.attachments[i], i, codePage);
    }
}

} // namespace

std::string buildMessageFile(const Message& message) {
    CompoundWriter file(MessageClassId);
    {
        OutStorage root = file.root();
        NamedPropertyTable names;
        writeMessage(root, names, message, MessageHeaderSize);
        names.write(root);
    }
    return file.finish();
}

} // namespace lexi::msgfile
