#pragma once

#include "apps/lexitray-pdfwriter/driver_log.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/libreoffice/office_converter.h"
#include "platform/ui.h"
#include "shared/registry/md_registry.h"

#include <string>

namespace lexi {

// One print job of the PDF writer: the document (a PDF, or a document the
// converter turns into one) becomes the PDF the job settings in the registry
// describe, read as the job starts. The PDF is prepared beside its place and
// renamed into it, so it appears whole or not at all; a job that cannot be
// done leaves no PDF and says why in the driver log.
class PdfJob {
public:
    PdfJob(mdRegistry& registry, Ui& ui, posix::OfficeConverter& converter,
           const posix::DriveTable& drives, DriverLog& log)
        : registry_(registry), ui_(ui), converter_(converter), drives_(drives), log_(log) {}

    // True when the PDF was written.
    bool print(const std::string& hostDocument);

private:
    // The host path of a workstation path from the settings; throws
    // lexi::Failure naming `what` when no drive maps it.
    std::string hostPath(const std::string& windowsPath, const char* what) const;
    void produce(const std::string& hostDocument);

    mdRegistry& registry_;
    Ui& ui_;
    posix::OfficeConverter& converter_;
    const posix::DriveTable& drives_;
    DriverLog& log_;
};

} // namespace lexi
