#pragma once

#include "platform/posix/msgfile/message.h"

#include <string>

namespace lexi::testing {

inline msgfile::Recipient recipient(msgfile::RecipientType type, std::string name,
                                    std::string address) {
    msgfile::Recipient result;
    result.type = type;
    result.displayName = std::move(name);
    result.address = std::move(address);
    return result;
}

// By default a few bytes of a PDF, a NUL and a byte above 127 among them.
inline msgfile::Attachment attachment(std::string name, std::string mimeType,
                                      std::string data = std::string("%PDF\0\xFF", 6)) {
    msgfile::Attachment result;
    result.longFileName = std::move(name);
    result.mimeType = std::move(mimeType);
    result.data = std::move(data);
    return result;
}

} // namespace lexi::testing
