#pragma once

#include "mail/mail_context.h"

namespace lexi {

// Finishes what earlier requests left in the journal of requests in flight
// (a request killed between sending and filing, or a mail that waited in the
// Outbox): a mail now in Sent Items is filed in its case, one still in the
// Outbox stays noted, one that never left is let go. Requests of processes of
// the program that still run are theirs to finish. Outlook is reached only
// when there is something to finish.
void finishRequestsInFlight(MailContext& context);

} // namespace lexi
