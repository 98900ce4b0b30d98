#pragma once

#include "platform/platform.h"
#include "program/program_state.h"
#include "program/run_log.h"

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
