#pragma once

#include "platform/posix/msgfile/message.h"
#include "platform/posix/msgfile/message_fields.h"
#include "platform/posix/msgfile/property_reader.h"

#include <cstdint>
#include <optional>
#include <string>

// How the reader makes a typed field of its property. The writer decodes the
// bag with the same functions to tell whether the program changed a field.
namespace lexi::msgfile {

// The code page of the item's 8-bit strings.
std::uint32_t codePageOf(const PropertyReader& message);

// The HTML body as UTF-8, from PR_HTML or from the HTML the RTF body carries.
std::string readHtmlBody(const PropertyReader& message, std::uint32_t codePage);

// The plain body: PR_BODY, else the text of the HTML body (`htmlBody`, as
// readHtmlBody gives it), else of the RTF body.
std::string readBody(const PropertyReader& message, std::uint32_t codePage,
                     const std::string& htmlBody);

// The body format the item states, else the one Outlook would show.
BodyFormat readBodyFormat(const PropertyReader& message, const std::string& body,
                          const std::string& htmlBody);

std::optional<RecipientType> readRecipientType(const PropertyReader& recipient);

template <class Owner, class Value>
std::optional<Value> readNumber(const PropertyReader& properties,
                                const Field<Owner, Value>& field) {
    const auto number = properties.integer(field.key);
    if (!number) {
        return std::nullopt;
    }
    return static_cast<Value>(*number);
}

} // namespace lexi::msgfile
