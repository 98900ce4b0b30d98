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
// done leaves no PDF and says why in the driver log. A job handed over with
// a token is done only with the settings it was handed over with: when they
// are another job's by the time it starts, or are withdrawn (cleared after a
// cancel, or another job's) before its PDF is in place, it writes nothing.
class PdfJob {
public:
    PdfJob(mdRegistry& registry, Ui& ui, posix::OfficeConverter& converter,
           const posix::DriveTable& drives, DriverLog& log)
        : registry_(registry), ui_(ui), converter_(converter), drives_(drives), log_(log) {}

    // True when the PDF was written. `jobToken` is the token the job was
    // handed over with, empty for a job handed over without one.
    bool print(const std::string& hostDocument, const std::string& jobToken = {});

private:
    // The host path of a workstation path from the settings; throws
    // lexi::Failure naming `what` when no drive maps it.
    std::string hostPath(const std::string& windowsPath, const char* what) const;
    void produce(const std::string& hostDocument, const std::string& jobToken);
    // Throws lexi::Failure naming `when` unless the settings carry the job's
    // token; nothing to check for a job without one.
    void checkJobToken(const std::string& jobToken, const char* when);

    mdRegistry& registry_;
    Ui& ui_;
    posix::OfficeConverter& converter_;
    const posix::DriveTable& drives_;
    DriverLog& log_;
};

} // namespace lexi
