#pragma once

#include "mail/mail_context.h"

namespace lexi {

// The answers to the case-management system.
class mdRepository {
public:
    explicit mdRepository(MailContext& context) : context_(context) {}

    // Writes "Mail_" + document ID + ".txt" in the start-up local folder: the
    // document ID, then "1" (take the saved mail into the case) or "0"
    // (ignore it). Nothing for an absent document ID; failures are silent.
    void SkrivCallback(std::string_view documentId, bool import);

private:
    MailContext& context_;
};

} // namespace lexi
