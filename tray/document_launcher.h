#pragma once

#include "mail/mail_context.h"

#include <string_view>

namespace lexi {

// Hands a case document to the desktop with a verb ("open", "print"...).
// A saved mail is looked at first: an unsent one is reopened for sending, a
// sent one is reported to the case-management system before it is shown.
class DocumentLauncher {
public:
    explicit DocumentLauncher(MailContext& context) : context_(context) {}

    // Opens the document request of the program state; shows the shell's
    // refusal and the usage. The shell's number.
    int ÅbnDok();

    // The shell's number, or 0 when the shell was not asked.
    int StartProgram(std::string_view Dokument, std::string_view DDEKommando,
                     std::string_view DocumentID);

    // The user's words for a shell error code from 1 to 32.
    static std::string shellErrorMessage(int code, std::string_view Dokument);

private:
    MailContext& context_;
};

} // namespace lexi
