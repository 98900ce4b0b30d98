#pragma once

#include "platform/posix/mailstore/mail_storage.h"

namespace lexi::mailstore {

// Delivers a mail to its recipients through the account's mail server.
class MailTransport {
public:
    virtual ~MailTransport() = default;
    // Throws lexi::Failure with the server's reason when the mail cannot be
    // delivered.
    virtual void deliver(const msgfile::Message& mail, const Account& account) = 0;
};

} // namespace lexi::mailstore
