#pragma once

#include "platform/posix/mailstore/mail_storage.h"

#include <ostream>
#include <string>
#include <string_view>

// What lexitray-store does with a mail store, each command writing UTF-8
// text. Failures (no such folder or item, a file that cannot be read or
// written) are lexi::Failure.
namespace lexi::storetool {

// "id<TAB>name<TAB>path<TAB>item count", a line per folder.
void printFolders(mailstore::MailStorage& storage, std::ostream& out);

// "position<TAB>entry ID<TAB>class<TAB>sent<TAB>subject", a line per item of
// the folder; the sent time is local, "dd-mm-yyyy hh:mm:ss", or empty.
void printItems(mailstore::MailStorage& storage, int folder, std::ostream& out);

// The item's fields, one "Name: value" a line, its body last.
void printItem(mailstore::MailStorage& storage, std::string_view entryId, std::ostream& out);

// Stores the message file (a host path) in the folder; returns its entry ID.
std::string deliverFile(mailstore::MailStorage& storage, int folder, const std::string& path);

// Writes the item as a message file (a host path).
void exportItem(mailstore::MailStorage& storage, std::string_view entryId, const std::string& path);

// The account's fields, one "Name: value" a line; the password only as
// whether it is set.
void printAccount(const mailstore::Account& account, std::ostream& out);

} // namespace lexi::storetool
