#pragma once

#include "docprep/merge_document.h"

namespace lexi {

// The merge and print engine: makes, for every document of the list, the
// file to attach at its TargetPath. A saved mail and every document that is
// not to become a PDF (or cannot, without the PDF writer) is copied; a
// document the hidden-data cleaner has written is left alone; a document to
// become a PDF is printed to the PDF writer, through Word or through the
// shell's print verb, and its PDF waited for. The list is not changed and is
// returned.
//
// The PDF writer is used in its turn only (PdfWriterTurn): a run with a PDF
// to make waits for it, with the progress window, while another request
// prints; a run without one leaves the PDF writer alone then. Whichever way
// the run ends, the Windows default printer, Word's active printer and the
// PDF writer's job settings are as before it. A cancel by the user ends the
// run early, with the cancelled document open read-only in Word and nothing
// of its PDF left; any other failure is thrown on, after the log line
// "Fejl i MailAndMerge log: ...", with its number and description and the
// source "Fejl i MailAndMerge".
DocumentList& MergeAndPrint(DocumentList& list, DocPrepContext& context);

} // namespace lexi
