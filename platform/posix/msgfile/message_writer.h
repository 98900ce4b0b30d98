#pragma once

#include "platform/posix/msgfile/message.h"

#include <string>

namespace lexi::msgfile {

// The bytes of a .msg file holding the item: every property the item keeps,
// with the fields the program changed in place of theirs.
std::string buildMessageFile(const Message& message);

} // namespace lexi::msgfile
