#pragma once

#include "platform/posix/mailstore/store_context.h"

namespace lexi::mailstore {

class StoreItem;

// Sends as Outlook does: the mail is stamped with its send time and the
// account's sender, delivered when the account has a mail server, and filed
// in Sent Items. A mail the server refuses stays unsent in the Outbox, and
// the user is told why.
void sendMail(StoreContext& context, StoreItem& mail);

} // namespace lexi::mailstore
