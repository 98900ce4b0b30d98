#include "platform/posix/mailstore/store_mail_sender.h"

#include "platform/failure.h"
#include "platform/outlook.h"
#include "platform/posix/mailstore/contact_resolver.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/mailstore/store_item.h"

#include <algorithm>

namespace lexi::mailstore {
namespace {

void tell(const StoreServices& services, const std::string& text) {
    services.ui.messageBox(text, msgbox::Critical, "Outlook");
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : "; ") + name;
    }
    return text;
}

// What a mail made from an earlier one (a template, a saved mail) still tells
// of that one's journey: who sent and who received it, the headers it came
// with. The sent copy is filed in the case, which must not show another
// sender or another route than this mail's own.
constexpr std::uint16_t EarlierJourney[] = {
    0x007D,                 // PR_TRANSPORT_MESSAGE_HEADERS
    0x0C19, 0x0C1D, 0x5D01, // the sender's entry ID, search key and SMTP address
    0x0041, 0x0042, 0x003B, 0x0064, 0x0065, 0x5D02, // the sent-representing sender
    0x0040, 0x0051, 0x0075, 0x0076, 0x5D07,         // who received it
    0x0043, 0x0044, 0x0052, 0x0077, 0x0078, 0x5D08, // on whose behalf
};

// The account sends the mail. A mail made from another one does not leave
// under that one's Message-ID either: delivery gives it its own, and without
// a mail server it has none.
void stampSender(msgfile::Message& message, const Account& account) {
    for (const std::uint16_t id : EarlierJourney) {
        message.properties.erase(msgfile::tagged(id));
    }
    message.senderName = account.displayName;
    message.senderAddress = account.address;
    message.senderAddressType = "SMTP";
    message.senderSmtpAddress = account.address;
    message.internetMessageId.clear();
}

void stampSent(msgfile::Message& message, const StoreServices& services) {
    const msgfile::Time now = fromLocal(services.clock.now());
    message.sentOn = now;
    message.receivedTime = now;
    message.flags = (message.flags & ~msgfile::message_flag::Unsent) | msgfile::message_flag::Read;
}

void stampWaiting(msgfile::Message& message) {
    message.sentOn = msgfile::NoDate;
    message.flags |= msgfile::message_flag::Unsent;
}

// Hands a mail that waits in the Outbox to the mail server and stamps it as
// sent; the server's reason when it does not take the mail, which then keeps
// waiting. The caller files what left in Sent Items.
std::optional<std::string> handToServer(const StoreServices& services, StoreItem& mail,
                                        const Account& account) {
    std::string messageId;
    try {
        messageId = services.transport.deliver(mail.message(), account);
    } catch (const Failure& failure) {
        return failure.description();
    }
    // The sent copy keeps the ID its recipients got, so that their answers
    // and the case's copy can be matched.
    mail.message().internetMessageId = messageId;
    stampSent(mail.message(), services);
    return std::nullopt;
}

// Why the store could not save, in the user's words where the cause is a
// common one; else the store's own answer, in quotes.
std::string storeReason(const Failure& failure) {
    static constexpr std::pair<std::string_view, std::string_view> Known[] = {
        {"database or disk is full", "Disken er fuld."},
        {"readonly database", "Postkassen er skrivebeskyttet."},
        {"disk I/O error", "Disken kunne ikke læses eller skrives."},
        {"database is locked", "Postkassen er optaget af et andet program."},
    };
    for (const auto& [cause, reason] : Known) {
        if (failure.description().find(cause) != std::string::npos) {
            return std::string(reason);
        }
    }
    return "Postkassen svarede \"" + failure.description() + "\".";
}

void tellNotSaved(const StoreServices& services, const Failure& failure) {
    tell(services, "Mailen er ikke sendt, fordi postkassen ikke kunne gemme den.\r\n\r\nÅrsag: " +
                       storeReason(failure));
}

// A mail that did not leave stays a draft, as it was before Send; the user
// has been told why.
void keepAsDraft(StoreItem& mail, const msgfile::Message& unsent) {
    mail.message() = unsent;
    ignoringFailure([&] { mail.save(); });
}

} // namespace

bool recipientsResolve(StoreContext& context, StoreItem& mail) {
    std::vector<std::string> unresolved;
    try {
        unresolved = resolveRecipients(context.storage(), mail.message());
    } catch (const Failure& failure) {
        tellNotSaved(context.services(), failure);
        return false;
    }
    if (unresolved.empty()) {
        return true;
    }
    tell(context.services(),
         "Mailen er ikke sendt. Disse modtagere har ingen mailadresse: " + joined(unresolved) +
             "\r\n\r\nRet modtagerne, eller opret dem som kontaktpersoner "
             "med en mailadresse, og send igen.");
    return false;
}

SendOutcome sendMail(StoreContext& context, StoreItem& mail, const msgfile::Message& unsent) {
    const StoreServices& services = context.services();
    msgfile::Message& message = mail.message();
    try {
        mail.refreshDisplayLines();
        const Account account = context.storage().account();
        stampSender(message, account);
        if (account.smtpUrl.empty()) {
            stampSent(message, services);
            mail.fileIn(outlook::FolderSentItems);
            return SendOutcome::Sent;
        }
        const auto held = context.storage().lockDelivery(true);
        stampWaiting(message);
        mail.fileIn(outlook::FolderOutbox);
        const auto refusal = handToServer(services, mail, account);
        if (!refusal) {
            try {
                mail.fileIn(outlook::FolderSentItems);
            } catch (const Failure& failure) {
                tell(services, "Mailen er sendt, men postkassen kunne ikke flytte den til Sendt "
                               "post. Den ligger i Udbakke.\r\n\r\nÅrsag: " +
                                   storeReason(failure));
            }
            return SendOutcome::Sent;
        }
        tell(services, "Mailen blev ikke afleveret og ligger i Udbakke. Den sendes igen "
                       "senere.\r\n\r\nÅrsag: " +
                           *refusal);
        return SendOutcome::Queued;
    } catch (const Failure& failure) {
        keepAsDraft(mail, unsent);
        tellNotSaved(services, failure);
        return SendOutcome::Refused;
    }
}

std::chrono::seconds outboxPause(int refusedInARow) {
    constexpr std::chrono::seconds First{60};
    constexpr std::chrono::seconds Longest{30 * 60};
    std::chrono::seconds pause = First;
    for (int refused = 0; refused < refusedInARow && pause < Longest; ++refused) {
        pause *= 2;
    }
    return std::min(pause, Longest);
}

bool takeOutboxTurn(StoreContext& context) {
    MailStorage& storage = context.storage();
    if (storage.account().smtpUrl.empty() ||
        storage.items(outlook::FolderOutbox, std::nullopt).empty()) {
        return false;
    }
    const msgfile::Time now = fromLocal(context.services().clock.now());
    return storage.takeOutboxTurn(now, [&](msgfile::Time last, int refusedInARow) {
        // A clock put back makes the last turn lie ahead: that is no reason
        // to wait.
        return last == msgfile::NoDate || now < last || now - last >= outboxPause(refusedInARow);
    });
}

void deliverWaitingMail(const ContextPtr& context, std::chrono::seconds budget) {
    const auto started = std::chrono::steady_clock::now();
    const StoreServices& services = context->services();
    MailStorage& storage = context->storage();
    const Account account = storage.account();
    if (account.smtpUrl.empty()) {
        return;
    }
    const auto held = storage.lockDelivery(false);
    if (!held) {
        return;
    }
    bool refused = false;
    for (StoredItem& waiting : storage.items(outlook::FolderOutbox, std::nullopt)) {
        if (std::chrono::steady_clock::now() - started >= budget) {
            break;
        }
        try {
            StoreItem mail(context, std::move(waiting));
            if (handToServer(services, mail, account)) {
                refused = true;
            } else {
                mail.fileIn(outlook::FolderSentItems);
            }
        } catch (const Failure&) {
            // Gone meanwhile, or unreadable: the next mail is tried all the same.
        }
    }
    storage.noteOutboxTry(refused);
}

} // namespace lexi::mailstore
