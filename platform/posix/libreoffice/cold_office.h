#pragma once

#include "platform/posix/libreoffice/office_converter.h"

#include <chrono>
#include <string>

namespace lexi::posix {

// A LibreOffice started for each conversion and ended with it: `soffice`
// from PATH, headless, on a user installation of its own, so that it neither
// hands the document to another running LibreOffice nor touches the user's
// settings. Conversions on one user installation take turns (a file lock
// beside it), as LibreOffice allows one process per installation.
class ColdOffice final : public OfficeConverter {
public:
    // `profileFolder`: the host folder of the user installation, made on the
    // first conversion. A conversion that takes longer than `timeLimit` is
    // ended and fails.
    ColdOffice(std::string profileFolder, std::chrono::milliseconds timeLimit,
               std::string program = "soffice");

    void convertToPdf(const std::string& hostSource, const std::string& hostPdf) override;

    // Writes the document at `hostSource` to `hostTarget` in the format
    // LibreOffice's --convert-to names by `extension` ("pdf", "docx"), with
    // the failures of convertToPdf.
    void convertTo(const std::string& hostSource, const std::string& hostTarget,
                   const std::string& extension);

private:
    std::string profileFolder_;
    std::chrono::milliseconds timeLimit_;
    std::string program_;
};

} // namespace lexi::posix
