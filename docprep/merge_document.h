#pragma once

#include "platform/platform.h"
#include "program/program_state.h"
#include "program/run_log.h"

#include <string>
#include <vector>

namespace lexi {

// One document of a mail request on its way from "findoc.txt" through naming,
// cleaning and printing to the mail.
struct MergeDocument {
    // The document as listed (completed with ".docx" or ".doc" when listed
    // without extension); may be a web address that is no file.
    std::string SourcePath;
    // Extensions: trimmed, lower case, without the dot; "" when none.
    std::string SourceExt;
    // The attachment to be made: work folder + "\" + the cleaned chosen name.
    std::string TargetPath;
    std::string TargetExt; // "pdf" asks for PDF conversion
    bool UsePDFTemplate = false;
    // The PDF laid under every page; "" when its file does not exist.
    std::string PDFTemplate;
    // The password that opens the PDF made; "" for none.
    std::string PDFPassword;
    // The user asked for the document's hidden data to be removed.
    bool Clean = false;
};

// The documents in order. "No document" is one record with an empty
// SourcePath, never a list without records.
using DocumentList = std::vector<MergeDocument>;

// A listed document that is not attached, and why, in words for the user.
struct LeftOut {
    std::string document;
    std::string reason;
};

// What document preparation works with during a mail request.
struct DocPrepContext {
    Platform& platform;
    RunLog& log;
    ProgramState& program;
    // The request's work folder, where the attachments are made.
    std::string workFolder;
    bool pdfWriterInstalled = false;
    // The documents left out so far: the mail goes without them, and the
    // user is told of them all at once.
    std::vector<LeftOut> leftOut = {};
};

} // namespace lexi
