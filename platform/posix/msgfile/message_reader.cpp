#include "platform/posix/msgfile/message_reader.h"

#include "platform/posix/msgfile/compound_reader.h"
#include "platform/posix/msgfile/corrupt_file.h"
#include "platform/posix/msgfile/field_values.h"
#include "platform/posix/msgfile/message_fields.h"
#include "platform/posix/msgfile/named_properties.h"
#include "platform/posix/msgfile/property_reader.h"
#include "platform/posix/msgfile/property_stream.h"
#include "platform/posix/msgfile/storage_names.h"
#include "platform/posix/msgfile/storage_tree.h"

#include <algorithm>

namespace lexi::msgfile {
namespace {

// Attached mails nest no deeper than this: a hostile file must not exhaust
// the stack.
constexpr int MaxNesting = 64;

template <class Owner, std::size_t Count>
void readTexts(const PropertyReader& properties, std::uint32_t codePage,
               const Field<Owner, std::string> (&fields)[Count], Owner& owner) {
    for (const auto& field : fields) {
        if (auto text = properties.text(field.key, codePage)) {
            owner.*field.member = std::move(*text);
        }
    }
}

template <class Owner, class Value>
void readNumber(const PropertyReader& properties, const Field<Owner, Value>& field, Owner& owner) {
    if (const auto number = readNumber(properties, field)) {
        owner.*field.member = *number;
    }
}

void readStorageObject(const PropertyBag&, Property& property, const Storage& storage) {
    property.object = readStorageTree(storage);
}

// The child storages with the prefix, in the order of their numbers.
std::vector<Storage> childStorages(const Storage& root, std::string_view prefix) {
    std::vector<std::string> names = root.childNames();
    std::erase_if(names, [&](const std::string& name) { return !name.starts_with(prefix); });
    std::sort(names.begin(), names.end());
    std::vector<Storage> storages;
    for (const std::string& name : names) {
        if (auto storage = root.storage(name)) {
            storages.push_back(std::move(*storage));
        }
    }
    return storages;
}

Message readMessage(const Storage& storage, std::size_t headerSize, const NamedPropertyIds& names,
                    AttachedData attachedData, int depth);

Recipient readRecipient(const Storage& storage, const NamedPropertyIds& names,
                        std::uint32_t codePage) {
    Recipient recipient;
    recipient.properties = readPropertyBag(storage, ChildHeaderSize, names, readStorageObject);
    const PropertyReader properties(recipient.properties);
    readTexts(properties, codePage, recipientTexts, recipient);
    recipient.type = readRecipientType(properties).value_or(recipient.type);
    return recipient;
}

// An attached mail's storage holds the mail; its class id stays with the
// property. Any other object storage (an OLE object) is kept whole.
Attachment readAttachment(const Storage& storage, const NamedPropertyIds& names,
                          std::uint32_t codePage, AttachedData attachedData, int depth) {
    Attachment attachment;
    const auto readObject = [&](const PropertyBag& bag, Property& property,
                                const Storage& objectStorage) {
        const bool attachedMail =
            property.key == tagged(property_id::AttachDataBinary) &&
            readNumber(PropertyReader(bag), attachmentMethod) == AttachMethod::EmbeddedMessage;
        if (attachedMail) {
            property.object.classId = objectStorage.classId();
            attachment.embeddedMessage = readMessage(objectStorage, EmbeddedMessageHeaderSize,
                                                     names, attachedData, depth + 1);
        } else {
            property.object = readStorageTree(objectStorage);
        }
    };
    static const PropertyKey Data = tagged(property_id::AttachDataBinary);
    attachment.properties =
        readPropertyBag(storage, ChildHeaderSize, names, readObject,
                        attachedData == AttachedData::Checked ? &Data : nullptr);
    const PropertyReader properties(attachment.properties);
    readTexts(properties, codePage, attachmentTexts, attachment);
    readNumber(properties, attachmentMethod, attachment);
    readNumber(properties, attachmentRenderingPosition, attachment);
    // The bytes move to the field, which is then their one copy: the writer
    // finds the property's value changed and writes the field's.
    if (Property* data = attachment.properties.find(tagged(property_id::AttachDataBinary),
                                                    property_type::Binary)) {
        attachment.data = std::move(data->data);
        data->data.clear();
    }
    return attachment;
}

Message readMessage(const Storage& storage, std::size_t headerSize, const NamedPropertyIds& names,
                    AttachedData attachedData, int depth) {
    if (depth > MaxNesting) {
        throw CorruptFile("its attached mails nest too deep");
    }
    Message message;
    message.properties = readPropertyBag(storage, headerSize, names, readStorageObject);
    const PropertyReader properties(message.properties);
    const std::uint32_t codePage = codePageOf(properties);

    readTexts(properties, codePage, messageTexts, message);
    message.htmlBody = readHtmlBody(properties, codePage);
    message.body = readBody(properties, codePage, message.htmlBody);
    message.bodyFormat = readBodyFormat(properties, message.body, message.htmlBody);
    for (const auto& field : messageTimes) {
        message.*field.member = properties.time(field.key).value_or(NoDate);
    }
    readNumber(properties, messageImportance, message);
    readNumber(properties, messageFlags, message);
    readNumber(properties, messageTaskStatus, message);

    for (const Storage& child : childStorages(storage, RecipientStoragePrefix)) {
        message.recipients.push_back(readRecipient(child, names, codePage));
    }
    for (const Storage& child : childStorages(storage, AttachmentStoragePrefix)) {
        message.attachments.push_back(readAttachment(child, names, codePage, attachedData, depth));
    }
    return message;
}

} // namespace

Message parseMessageFile(std::string_view fileBytes, AttachedData attachedData) {
    CompoundReader file(fileBytes);
    const Storage root = file.root();
    const NamedPropertyIds names(root);
    return readMessage(root, MessageHeaderSize, names, attachedData, 0);
}

} // namespace lexi::msgfile
