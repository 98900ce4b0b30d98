#pragma once

#include "platform/posix/msgfile/message.h"

namespace lexi::mailstore {

// Adds the properties Outlook keeps beside a task's or a contact's fields,
// derived from them, before the item is stored or written to a file: a task's
// completion flag, percentage and assignment state, a contact's filing name
// and the display name and type of its e-mail address. A task request
// carries its task as an attached item, as Outlook sends it. Other items are
// left as they are.
void addItemProperties(msgfile::Message& message);

} // namespace lexi::mailstore
