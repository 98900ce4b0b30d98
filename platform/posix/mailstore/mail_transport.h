#pragma once

#include "platform/posix/mailstore/mail_storage.h"

namespace lexi::mailstore {

// Delivers a mail to its recipients through the account's mail server.
class MailTransport {
public:
    virtual ~MailTransport() = default;
    // The Message-ID the mail went out with, without the angle brackets.
    // Throws lexi::Failure with the server's reason when the mail cannot be
    // delivered.
    virtual std::string deliver(const msgfile::Message& mail, const Account& account) = 0;
};

} // namespace lexi::mailstore
