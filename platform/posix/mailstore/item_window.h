#pragma once

#include "platform/compose_window.h"
#include "platform/posix/msgfile/message.h"

#include <optional>

namespace lexi::mailstore {

// What the window of a task, a task request or a contact shows; nothing for
// other items, which have windows of their own.
std::optional<ItemWindowContent> itemWindowContent(const msgfile::Message& message);

} // namespace lexi::mailstore
