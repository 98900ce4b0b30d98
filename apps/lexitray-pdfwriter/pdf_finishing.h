#pragma once

#include "apps/lexitray-pdfwriter/job_settings.h"

#include <string>

namespace lexi {

// The files a job's finishing reads and writes, all host paths.
struct FinishingFiles {
    std::string printed;    // the job's PDF
    std::string background; // laid under the pages; empty for none
    std::string existing;   // the PDF whose pages come first; empty for none
    std::string result;     // written here
};

// Writes the job's PDF as the settings have it: the background under every
// page of the job (or its first only), the existing PDF's pages before the
// job's, the document information of the settings and none of the printed
// document's (no XMP metadata either), page numbering, and the security
// (passwords, encryption level, restrictions). The passwords stay in memory.
// Throws lexi::Failure with the reason when a PDF cannot be read or written.
void finishPdf(const JobSettings& settings, const FinishingFiles& files);

} // namespace lexi
