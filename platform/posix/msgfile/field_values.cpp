#include "platform/posix/msgfile/field_values.h"

#include "platform/posix/msgfile/body_format.h"
#include "platform/posix/msgfile/compressed_rtf.h"
#include "platform/posix/msgfile/encapsulated_html.h"
#include "platform/posix/msgfile/html_text.h"
#include "platform/posix/msgfile/rtf_text.h"
#include "platform/posix/msgfile/text_encoding.h"

namespace lexi::msgfile {
namespace {

constexpr std::uint32_t DefaultCodePage = 1252;
// PR_RECIPIENT_TYPE may carry flags above the type (MAPI_P1, MAPI_SUBMITTED).
constexpr std::uint32_t RecipientTypeMask = 0x0FFFFFFF & ~0x10000000u;

std::optional<std::string> rtfBody(const PropertyReader& message) {
    const auto compressed = message.binary(tagged(property_id::RtfCompressed));
    return compressed ? decompressRtf(*compressed) : std::nullopt;
}

} // namespace

std::uint32_t codePageOf(const PropertyReader& message) {
    return message.integer(tagged(property_id::MessageCodepage))
        .value_or(message.integer(tagged(property_id::InternetCodepage)).value_or(DefaultCodePage));
}

// An item without PR_BODY shows the text of its HTML body, else of its RTF
// body, as Outlook does.
std::string readBody(const PropertyReader& message, std::uint32_t codePage,
                     const std::string& htmlBody) {
    if (auto text = message.text(messageBody.key, codePage)) {
        return std::move(*text);
    }
    if (!htmlBody.empty()) {
        return plainTextFromHtml(htmlBody);
    }
    const auto rtf = rtfBody(message);
    return rtf ? plainTextFromRtf(*rtf) : "";
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
    const auto rtf = rtfBody(message);
    return rtf ? htmlFromRtf(*rtf).value_or("") : "";
}

BodyFormat readBodyFormat(const PropertyReader& message, const std::string& body,
                          const std::string& htmlBody) {
    if (const auto native = message.integer(tagged(property_id::NativeBody))) {
        if (const auto format = bodyFormatOf(*native)) {
            return *format;
        }
    }
    if (!htmlBody.empty()) {
        return BodyFormat::Html;
    }
    if (message.has(tagged(property_id::RtfCompressed), property_type::Binary)) {
        return BodyFormat::RichText;
    }
    return body.empty() ? BodyFormat::Unspecified : BodyFormat::Plain;
}

std::optional<RecipientType> readRecipientType(const PropertyReader& recipient) {
    const auto type = recipient.integer(recipientType.key);
    if (!type) {
        return std::nullopt;
    }
    return static_cast<RecipientType>(*type & RecipientTypeMask);
}

} // namespace lexi::msgfile
