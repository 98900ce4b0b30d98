#pragma once

// The run-log lines of a mail request's end, as testing::logIs compares
// them: written once for the request tests on fakes and for the whole runs
// of every build.

#include <string>
#include <string_view>

namespace lexi::testing {

// The mail saved as a draft and shown to the user.
inline constexpr const char* DraftShownLines = "Starter olMail.copy\n"
                                               "Afslutter olMail.copy\n"
                                               "Set to null and null\n"
                                               "Milage set to NAV\n"
                                               "SAVE\n"
                                               "Delete tmp folder\n"
                                               "Viser mail\n";

// The send of a plain or HTML mail.
inline std::string sendLog(std::string_view subject, bool html) {
    return std::string("Starting procedure olMail_Send\nMailen sendes\n") +
           (html ? "Mailen med HTML Body\n" : "Mailen Uden HTML\n") +
           "Subject i mail: " + std::string(subject) + "\nEnding procedure olMail_Send\n";
}

// The send, and the close that follows it.
inline std::string sentLog(std::string_view subject, bool html) {
    return sendLog(subject, html) +
           "Starting procedure olMail_Close\nEnding procedure olMail_Close\n";
}

// The filing of the sent mail found in Sent Items.
inline std::string filedLog(std::string_view GemtMail, std::string_view subject,
                            std::string_view savePath, std::string_view documentId) {
    return "MailSendt has value of Trueand GemtMail has value of " + std::string(GemtMail) +
           "\nChecker om mail kan findes i 'Sendt Post'\nFinder gemmesti\n"
           "~Leder i [0-9]+ beskeder\nFandt mail efter 1 forsøg.\nMail identificeret: '" +
           std::string(subject) + "'\nGemmer mail i sagsmappe " + std::string(savePath) + "\n" +
           (documentId.empty()
                ? ""
                : "Callback til NAV docID " + std::string(documentId) + "\nImport file\n") +
           "Setting Post var to Nothing in NavMail Procedure";
}

// The close of a mail that was not sent, with what became of it.
inline std::string closedLog(std::string_view outcome) {
    return "Starting procedure olMail_Close\nolMail_Close first Else , exit without send\n"
           "Bruger afslutter uden at sende\n" +
           std::string(outcome) + "Ending procedure olMail_Close\n";
}

// The mail saved in the case, and the case told when it has a document ID.
inline std::string savedLog(std::string_view savePath, bool documentId) {
    return "Gemmer mail i sagsmappe som " + std::string(savePath) + "\n" +
           (documentId ? "Import file\n" : "");
}

// The end of a request whose mail was not sent.
inline std::string unsentLog(std::string_view GemtMail) {
    return "MailSendt has value of Falseand GemtMail has value of " + std::string(GemtMail) +
           "\nStarting procedure EmptyOutbox\n"
           "Ending procedure EmptyOutbox\n"
           "Setting Post var to Nothing in NavMail Procedure";
}

} // namespace lexi::testing
