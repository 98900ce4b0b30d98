#pragma once

#include "platform/ui.h"
#include "program/run_log.h"

#include <string>
#include <string_view>

namespace lexi {

// What becomes of a document whose hidden-data removal the user ticked.
enum class CleaningChoice {
    // Cleaned into its target, which keeps the document's kind.
    Clean,
    // Printed to a PDF, which the print makes afresh: nothing to clean.
    Print,
    // A kind the cleaner does not handle: it is not attached.
    Refuse,
};

// The choice for a ticked document by its source and target extensions (in
// lower case, without the dot). The cleaner cleans the kinds it takes, each
// into the same kind; a document to be made a PDF is printed when the PDF
// writer is installed, and else is refused, since nothing would make it.
CleaningChoice cleaningChoice(std::string_view sourceExt, std::string_view targetExt,
                              bool pdfWriterInstalled);

// Tells the user, and the log, that the document at `sourcePath` cannot be
// cleaned and is not attached.
void tellNotCleaned(Ui& ui, RunLog& log, const std::string& sourcePath);

} // namespace lexi
