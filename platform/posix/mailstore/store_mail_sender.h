#pragma once

#include "platform/posix/mailstore/mail_transport.h"
#include "platform/posix/mailstore/store_context.h"

namespace lexi::mailstore {

// Sends as Outlook does: the mail is stamped with its send time and the
// account's sender, delivered when the account has a mail server, and filed
// in Sent Items. A mail the server refuses stays unsent in the Outbox, and
// the user is told why.
class StoreMailSender final : public MailSender {
public:
    StoreMailSender(MailStorage& storage, Clock& clock, Ui& ui, MailTransport& transport);

    void send(StoreItem& mail) override;

private:
    void file(StoreItem& mail, int folder);

    MailStorage& storage_;
    Clock& clock_;
    Ui& ui_;
    MailTransport& transport_;
};

} // namespace lexi::mailstore
