#pragma once

#include "platform/posix/drive_table.h"
#include "platform/posix/libreoffice/warm_office.h"
#include "platform/printers.h"
#include "platform/word.h"

#include <string>

namespace lexi::posix {

// Word on this workstation: the user's warm LibreOffice instance, the one the
// PDF writer driver converts with, steered through UNO. Workstation paths go
// through the drive table. The instance is headless: documents are loaded
// hidden, without running their macros or updating their links, and are never
// shown; a document let go without being closed is closed, unsaved, as no
// one could close it later. The instance is shared and stays running: quit()
// leaves it alone.
//
// Printing goes through the workstation's printers: a document is handed to
// the active printer as its file stands (changes not saved are not printed);
// the PDF writer's driver takes it and writes the PDF on its own, another
// printer gets it through the print service. The active printer is Word's,
// one for all the applications of this Word, and starts as the default
// printer. Word names a printer by the printers' name, " on " and the port
// the printer is installed on ("Lexitray PDF Writer on Ne00:"), or by the
// name alone when the workstation lists no port for it; setting it takes
// either form. The mail merge data source is read from the document's file:
// the data document of a Word 97 document, the data source relationship of
// the mail merge settings of a Word 2007 document.
//
// Failures, as Word's automation errors would come: CannotCreateObject (429)
// when no instance can be started, FileNotFound or PathNotFound for a
// missing document, PermissionDenied (70) for a document that can only be
// opened read-only (locked or write-protected) when writing was asked for,
// PathFileAccessError (75) for a document LibreOffice cannot read or write,
// AutomationError (440) when the instance fails in a call, does not answer
// within the time limit (it is ended then) or a printer does not take a
// print job. An instance that is gone, killed or ended, is replaced by a new
// one when a document is next opened.
class OfficeWord final : public WordConnector {
public:
    // `timeLimit` bounds every call to the instance, attaching included.
    OfficeWord(const DriveTable& drives, Printers& printers, std::string home,
               std::string program = "soffice",
               std::chrono::milliseconds timeLimit = WarmOffice::DefaultTimeLimit);

    std::unique_ptr<WordApplication> running() override;
    std::unique_ptr<WordApplication> start() override;

private:
    const DriveTable& drives_;
    Printers& printers_;
    WarmOffice office_;
    // The active printer by the printers' name; empty for the default one.
    std::string activePrinter_;
};

} // namespace lexi::posix
