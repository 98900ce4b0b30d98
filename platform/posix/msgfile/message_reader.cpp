#include "platform/posix/msgfile/message_reader.h"

#include "platform/posix/msgfile/body_format.h"
#include "platform/posix/msgfile/compound_reader.h"
#include "platform/posix/msgfile/compressed_rtf.h"
#include "platform/posix/msgfile/encapsulated_html.h"
#include "platform/posix/msgfile/message_fields.h"
#include "platform/posix/msgfile/named_properties.h"
#include "platform/posix/msgfile/property_reader.h"
#include "platform/posix/msgfile/property_stream.h"
#include "platform/posix/msgfile/storage_names.h"
#include "platform/posix/msgfile/text_encoding.h"

#include <algorithm>

namespace lexi::msgfile {
namespace {

constexpr std::uint32_t DefaultCodePage = 1252;
// PR_RECIPIENT_TYPE may carry flags above the type (MAPI_P1, MAPI_SUBMITTED).
constexpr std::uint32_t RecipientTypeMask = 0x0FFFFFFF & ~0x10000000u;

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
    if (const auto number = properties.integer(field.key)) {
        owner.*field.member = static_cast<Value>(*number);
    }
}

std::uint32_t codePageOf(const PropertyReader& message) {
    return message.integer(tagged(property_id::MessageCodepage))
        .value_or(message.integer(tagged(property_id::InternetCodepage)).value_or(DefaultCodePage));
}

// Outlook keeps the HTML body as bytes in the internet code page, some
// writers as a string, and Exchange often only inside the RTF body.
std::string readHtmlBody(const PropertyReader& message, std::uint32_t codePage) {
    const PropertyKey key = tagged(property_id::HtmlBody);
    if (const auto bytes = message.binary(key)) {
        const auto htmlCodePage = message.integer(tagged(property_id::InternetCodepage));
        return codePageToUtf8(*bytes, htmlCodePage.value_or(codePage));
    }
    if (auto text = message.text(key, codePage)) {
        return std::move(*text);
    }
    const auto compressedRtf = message.binary(tagged(property_id::RtfCompressed));
    const auto rtf = compressedRtf ? decompressRtf(*compressedRtf) : std::nullopt;
    return rtf ? htmlFromRtf(*rtf).value_or("") : "";
}

BodyFormat readBodyFormat(const PropertyReader& properties, const Message& message) {
    if (const auto native = properties.integer(tagged(property_id::NativeBody))) {
        if (const auto format = bodyFormatOf(*native)) {
            return *format;
        }
    }
    if (!message.htmlBody.empty()) {
        return BodyFormat::Html;
    }
    if (properties.storage().hasStream(
            valueStreamName(property_id::RtfCompressed, property_type::Binary))) {
        return BodyFormat::RichText;
    }
    return message.body.empty() ? BodyFormat::Unspecified : BodyFormat::Plain;
}

Recipient readRecipient(Storage storage, const NamedPropertyIds& names, std::uint32_t codePage) {
    const PropertyReader properties(std::move(storage), ChildHeaderSize, names);
    Recipient recipient;
    readTexts(properties, codePage, recipientTexts, recipient);
    readNumber(properties, recipientType, recipient);
    recipient.type =
        static_cast<RecipientType>(static_cast<std::uint32_t>(recipient.type) & RecipientTypeMask);
    return recipient;
}

Attachment readAttachment(Storage storage, const NamedPropertyIds& names, std::uint32_t codePage) {
    const PropertyReader properties(std::move(storage), ChildHeaderSize, names);
    Attachment attachment;
    readTexts(properties, codePage, attachmentTexts, attachment);
    readNumber(properties, attachmentMethod, attachment);
    readNumber(properties, attachmentRenderingPosition, attachment);
    if (attachment.method == AttachMethod::ByValue) {
        attachment.data = properties.binary(tagged(property_id::AttachDataBinary)).value_or("");
    }
    return attachment;
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

} // namespace

Message parseMessageFile(std::string_view fileBytes) {
    CompoundReader file(fileBytes);
    const Storage root = file.root();
    const NamedPropertyIds names(root);
    const PropertyReader properties(root, MessageHeaderSize, names);
    const std::uint32_t codePage = codePageOf(properties);

    Message message;
    readTexts(properties, codePage, messageTexts, message);
    for (const auto& field : messageTimes) {
        message.*field.member = properties.time(field.key).value_or(NoDate);
    }
    readNumber(properties, messageImportance, message);
    readNumber(properties, messageFlags, message);
    readNumber(properties, messageTaskStatus, message);
    message.htmlBody = readHtmlBody(properties, codePage);
    message.bodyFormat = readBodyFormat(properties, message);

    for (Storage& storage : childStorages(root, RecipientStoragePrefix)) {
        message.recipients.push_back(readRecipient(std::move(storage), names, codePage));
    }
    for (Storage& storage : childStorages(root, AttachmentStoragePrefix)) {
        message.attachments.push_back(readAttachment(std::move(storage), names, codePage));
    }
    return message;
}

} // namespace lexi::msgfile
