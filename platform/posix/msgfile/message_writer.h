#pragma once

#include "platform/posix/msgfile/message.h"

#include <string>

namespace lexi::msgfile {

// The bytes of a .msg file holding the item. Throws lexi::Failure
// InvalidProcedureCall for an attachment not carried by value.
std::string buildMessageFile(const Message& message);

} // namespace lexi::msgfile
