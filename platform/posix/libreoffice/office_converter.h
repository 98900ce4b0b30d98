#pragma once

#include <string>

// LibreOffice, headless, as the program's document converter: it stands in
// for Word and feeds the PDF writer driver.
namespace lexi::posix {

class OfficeConverter {
public:
    virtual ~OfficeConverter() = default;

    // Writes the PDF of the document at `hostSource` (.doc, .docx, .odt, .rtf,
    // .xlsx, .pptx, .txt, an image) to `hostPdf`. Throws lexi::Failure with
    // the reason when it cannot: LibreOffice missing, the document unreadable.
    virtual void convertToPdf(const std::string& hostSource, const std::string& hostPdf) = 0;
};

} // namespace lexi::posix
