#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexi {

// What a command line asks the program to do.
enum class Mode {
    NewMail,           // "mail"
    NewMailBcc,        // "mailbcc"
    AnswerMail,        // "mailreply"
    ChangeLocalFolder, // "drev=" + folder
    Settings,          // "setup"
    Stop,              // "stop"
    Document,          // a document path and a verb, maybe a document ID
    Monitor,           // no argument
};

// The mode of a command line. The keywords must stand alone and are compared
// without regard to letter case: "Mail" is a mail request, "mail x" and
// "mail " are document commands.
Mode ChooseMode(std::string_view commandLine);

struct DocumentCommand {
    std::string Dokument;
    std::string DDEKommando;
    std::string DocumentID;
};

// Splits a document command into document, verb and document ID.
// "C:\Sager\brev.docx open" gives "C:\Sager\brev.docx " (with the space that
// stood before the verb) and "open"; a final document ID is taken off first.
// Nothing when no document and verb can be told apart: a single word, or a
// path followed directly by a document ID.
std::optional<DocumentCommand> SplitDocumentCommand(std::string_view commandLine);

} // namespace lexi
