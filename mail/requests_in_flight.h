#pragma once

#include "mail/mail_context.h"

#include <string_view>

namespace lexi {

// Which entries of the journal a start looks at: those that killed requests
// left, or those as well whose mail waits in the Outbox (where only a try of
// the Outbox brings them on).
enum class InFlight { Killed, AlsoWaiting };

// Finishes what earlier requests left in the journal of requests in flight
// (a request killed between sending and filing, or a mail that waited in the
// Outbox): a mail now in Sent Items is filed in its case, one still in the
// Outbox stays noted, one that never left is let go; the run log says which.
// Requests of processes of the program (`imageName`) that still run are
// theirs to finish. Outlook is reached only when there is something to
// finish; nothing is delivered here.
void finishRequestsInFlight(MailContext& context, std::string_view imageName, InFlight which);

// Asks Outlook, when it runs, to send what waits in its Outbox, in the
// background: it is never started for it, and nothing waits for it.
void sendWaitingMail(MailContext& context);

} // namespace lexi
