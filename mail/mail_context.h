#pragma once

#include "platform/platform.h"
#include "program/program_state.h"
#include "program/run_log.h"

#include <optional>
#include <string>

namespace lexi {

// The state of one mail request, shared by composing, sending, closing and
// filing.
struct MailState {
    // The mail has been handed to Outlook for sending.
    bool MailSendt = false;
    // Where the mail is saved in the case, as a message file.
    std::string GemmeSti;
    // The marker written into the sent mail's billing information.
    std::string SendtMarkering;
    // "tmp.txt" as it stood when the request started (nothing when it was
    // missing): the case the mail belongs to for the whole request, whatever
    // the case-management system writes there for the next one meanwhile.
    bool caseDataTaken = false;
    std::optional<std::string> caseData;
    // The entry ID of the mail as it was sent, and its entry in the journal
    // of requests in flight (empty when none).
    std::string sentEntryId;
    std::string journalName;
    // The display name of the Outlook user.
    std::string OutlookBruger;
    // The registry text of the PDF printer; empty when it is not installed.
    std::string pdfPrinterEntry;
};

// What the mail features work with.
struct MailContext {
    Platform& platform;
    RunLog& log;
    ProgramState& program;
    MailState& state;
};

} // namespace lexi
