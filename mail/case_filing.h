#pragma once

#include "mail/mail_context.h"
#include "mail/send_journal.h"
#include "platform/outlook.h"

#include <string>

namespace lexi {

// Saves the mail as a message file at the save path and checks that it is
// there whole: the file exists and reads back as a message. Otherwise the user
// is told, with the path and the reason, and the answer is false: the case
// must not be told to take a file that is not there.
bool saveInCase(MailContext& context, OutlookApplication& outlook, OutlookItem& mail,
                const std::string& savePath);

// Files a sent mail found in Sent Items in its case: notes its entry ID in the
// journal entry `journalName` (so that it is found again once its marker is
// cleared), clears the marker, saves it in the case and, when it is there
// whole and the request has a document ID, writes the callback "1". The
// journal entry goes once that is done, or reported. Failures on the way to
// the case are ignored: the mail has been sent.
void fileInCase(MailContext& context, OutlookApplication& outlook, OutlookItem& mail,
                JournalEntry entry, const std::string& journalName);

} // namespace lexi
