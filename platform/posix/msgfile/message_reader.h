#pragma once

#include "platform/posix/msgfile/message_file.h"

#include <string_view>

namespace lexi::msgfile {

// The item in the bytes of a .msg file. Throws CorruptFile when they are not
// one; readMessage and readMessageFile wrap it.
Message parseMessageFile(std::string_view fileBytes, AttachedData attachedData);

} // namespace lexi::msgfile
