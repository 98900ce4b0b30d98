#pragma once

#include "platform/posix/mailstore/mail_transport.h"

#include <chrono>

namespace lexi::mailstore {

// How long a delivery may wait for the server before it gives up: a mail the
// server does not take within seconds waits in the Outbox for a later try.
struct SmtpTimeouts {
    std::chrono::seconds connect{10};
    std::chrono::seconds total{30};
};

// Delivers through the account's mail server with libcurl: the server at
// account.smtpUrl ("smtp://host:587", or "smtps://host" for TLS from the
// start), MAIL FROM the account's address, RCPT TO each recipient with an
// address (To, Cc and Bcc alike), logging in when the account has a user
// name. On smtp:// the connection turns to TLS when the server offers
// STARTTLS. Only smtp:// and smtps:// URLs are followed.
//
// Throws lexi::Failure 440 with the reason, in Danish for the user, when the
// mail cannot be delivered: no sender or recipient address, an address that
// cannot stand in an SMTP command, the server's own answer (in quotes) when it
// refused the mail, or what failed on the way (the server could not be
// reached, or did not answer in time).
class SmtpTransport final : public MailTransport {
public:
    explicit SmtpTransport(SmtpTimeouts timeouts = {});

    std::string deliver(const msgfile::Message& mail, const Account& account) override;

private:
    SmtpTimeouts timeouts_;
};

} // namespace lexi::mailstore
