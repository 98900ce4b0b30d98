#include "apps/lexitray-cleaner/document_cleaning.h"

#include "apps/lexitray-cleaner/package_cleaning.h"
#include "apps/lexitray-cleaner/zip_package.h"
#include "platform/failure.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <functional>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <unistd.h>

namespace lexi {
namespace {

// Runs `write` on a file beside `hostTarget` and renames that into place, so
// that the target is never seen half-written; the partial file goes when
// `write` fails.
void replaceWhole(const std::string& hostTarget,
                  const std::function<void(const std::string& partial)>& write) {
    const std::string partial = hostTarget + ".part" + std::to_string(::getpid());
    try {
        write(partial);
        if (::rename(partial.c_str(), hostTarget.c_str()) != 0) {
            throw failureFromErrno(errno, hostTarget, "Cleaner");
        }
    } catch (...) {
        std::remove(partial.c_str());
        throw;
    }
}

} // namespace

void cleanPackage(CleanableFormat format, const std::string& hostSource,
                  const std::string& hostTarget) {
    std::vector<PackageEntry> entries = readPackage(hostSource);
    entries = format == CleanableFormat::OpenDocument ? cleanOpenDocument(std::move(entries))
                                                      : cleanOfficeOpenXml(std::move(entries));
    replaceWhole(hostTarget, [&](const std::string& partial) { writePackage(partial, entries); });
}

void cleanPdf(const std::string& hostSource, const std::string& hostTarget) {
    if (::access(hostSource.c_str(), R_OK) != 0) {
        throw failureFromErrno(errno, hostSource, "Pdf");
    }
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(hostSource.c_str());
        pdf.getTrailer().removeKey("/Info");
        pdf.getRoot().removeKey("/Metadata");
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            page.getObjectHandle().removeKey("/Metadata");
        }
        // Only what the cleaned document still refers to is written: the
        // old dictionary and stream, and superseded objects, are left behind.
        replaceWhole(hostTarget, [&](const std::string& partial) {
            QPDFWriter writer(pdf, partial.c_str());
            writer.write();
        });
    } catch (const Failure&) {
        throw;
    } catch (const std::exception&) {
        // qpdf's message names the host path, which the log must not show.
        throw Failure(failure::PathFileAccessError, "Pdf");
    }
}

} // namespace lexi
