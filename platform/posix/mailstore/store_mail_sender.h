#pragma once

#include "platform/posix/mailstore/store_context.h"

#include <chrono>

namespace lexi::mailstore {

class StoreItem;

// What became of a mail the user sent.
enum class SendOutcome {
    Sent,    // delivered (or, without a mail server, filed) in Sent Items
    Queued,  // the server did not take it: it waits in the Outbox
    Refused, // it never left: the store could not save it; it stays a draft
};

// Checks the names as Outlook does before it sends: every recipient without
// an address is looked up in the contacts. False, after telling the user which
// names have no address, when one is not found: the mail cannot be sent.
bool recipientsResolve(StoreContext& context, StoreItem& mail);

// Sends as Outlook does, once the names resolve. The mail is stamped with its
// send time and the account's sender, put in the Outbox, delivered when the
// account has a mail server, and filed in Sent Items. A mail the server does
// not take waits unsent in the Outbox for the next try. A mail the store
// cannot save is put back as `unsent` and stays a draft. The user is told,
// in a message box, of everything but a sent mail.
SendOutcome sendMail(StoreContext& context, StoreItem& mail, const msgfile::Message& unsent);

// How long one try of the Outbox spends starting deliveries.
inline constexpr std::chrono::seconds WaitingMailBudget{10};

// How long the store lets the Outbox rest after a try before the next, in
// every process that opens it: a minute, doubled for each try in a row the
// mail server refused, up to half an hour.
std::chrono::seconds outboxPause(int refusedInARow);

// Takes the store's turn to try the Outbox when mail waits there for a mail
// server and the pause after the last try has passed; false when there is
// nothing to try now.
bool takeOutboxTurn(StoreContext& context);

// Tries once more to deliver each mail that waits in the Outbox, oldest
// first, and files what the server takes in Sent Items. No delivery starts
// once `budget` has passed, and none at all while another process delivers
// the store's mail. A mail the server still does not take keeps waiting, and
// the store notes that the try was refused. Nobody is told: the try runs in
// the background of the program's work.
void deliverWaitingMail(const ContextPtr& context, std::chrono::seconds budget);

} // namespace lexi::mailstore
