#pragma once

#include "platform/posix/mailstore/mail_storage.h"

#include <string>
#include <vector>

namespace lexi::mailstore {

// Gives every recipient of the mail that has no address the address of the
// contact whose full name it is, letter case aside (an entry with "@" in it
// is an address already). An entry that names no contact with
// an address, or several contacts with different addresses, keeps none; the
// names of those entries are returned, in order. A resolved entry takes the
// contact's full name.
std::vector<std::string> resolveRecipients(MailStorage& storage, msgfile::Message& mail);

} // namespace lexi::mailstore
