#pragma once

#include "platform/posix/msgfile/message.h"

#include <string_view>

namespace lexi::mailstore {

// Adds the properties Outlook keeps beside a task's or a contact's fields,
// derived from them, before the item is stored or written to a file: a task's
// completion flag, percentage and assignment state, a contact's filing name
// and the display name and type of its e-mail address. A task request
// carries its task as an attached item, as Outlook sends it. Other items are
// left as they are.
void addItemProperties(msgfile::Message& message);

// Sets the subject and, as Outlook does whenever it makes an item or its
// subject changes, its prefix and normalized subject: the prefix is one to
// three letters, a colon and a space at its start ("SV: ", "Re: ", "FW: "),
// empty when there is none, and the normalized subject the rest. Readers
// thread conversations by the normalized subject.
void setItemSubject(msgfile::Message& message, std::string_view subject);

} // namespace lexi::mailstore
