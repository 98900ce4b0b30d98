#pragma once

#include "mail/mail_context.h"
#include "mail/send_journal.h"
#include "platform/outlook.h"

#include <string>

namespace lexi {

// Whether the user is to be told when the mail cannot be saved in the case,
// or has been told already why it cannot (the case data's own message).
enum class SaveFailure { Tell, AlreadyTold };

// Saves the mail as a message file at the save path and checks that it is
// there whole: the file exists and reads back as a message. Otherwise the
// failure is logged, the user is told with the path and the reason (unless
// told already), and the answer is false: the case must not be told to take
// a file that is not there.
bool saveInCase(MailContext& context, OutlookApplication& outlook, OutlookItem& mail,
                const std::string& savePath, SaveFailure failure = SaveFailure::Tell);

// Files a sent mail found in Sent Items in its case: notes its entry ID in the
// journal entry `journalName` (so that it is found again once its marker is
// cleared), clears the marker, saves it in the case and, when it is there
// whole and the request has a document ID, writes the callback "1". The
// journal entry goes once that is done, or reported. Failures on the way to
// the case are ignored: the mail has been sent.
void fileInCase(MailContext& context, OutlookApplication& outlook, OutlookItem& mail,
                JournalEntry entry, const std::string& journalName,
                SaveFailure failure = SaveFailure::Tell);

} // namespace lexi
