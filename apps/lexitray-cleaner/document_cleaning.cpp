#include "apps/lexitray-cleaner/document_cleaning.h"

#include "apps/lexitray-cleaner/package_cleaning.h"
#include "apps/lexitray-cleaner/zip_package.h"
#include "platform/failure.h"
#include "platform/posix/temp_file.h"

#include <cerrno>
#include <exception>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <set>
#include <string>
#include <unistd.h>

namespace lexi {
namespace {

// The annotations that carry a reader's remarks, with their authors, or
// files of their own, and the pop-up windows that show them. Links, form
// fields and the other kinds stay.
const std::set<std::string> RemarkAnnotations = {
    "/Text",           "/FreeText",  "/Line",     "/Square",     "/Circle", "/Polygon", "/PolyLine",
    "/Highlight",      "/Underline", "/Squiggly", "/StrikeOut",  "/Stamp",  "/Caret",   "/Ink",
    "/FileAttachment", "/Sound",     "/Redact",   "/Projection", "/Popup",
};

bool isRemark(QPDFObjectHandle annotation) {
    QPDFObjectHandle subtype =
        annotation.isDictionary() ? annotation.getKey("/Subtype") : QPDFObjectHandle();
    return subtype.isName() && RemarkAnnotations.contains(subtype.getName());
}

// Takes the remarks off `page`. A remark stored as an object of its own
// becomes null, so that nothing else (a reply, the structure tree) still
// leads to it.
void removeRemarks(QPDF& pdf, QPDFObjectHandle page) {
    QPDFObjectHandle annotations = page.getKey("/Annots");
    if (!annotations.isArray()) {
        return;
    }
    QPDFObjectHandle kept = QPDFObjectHandle::newArray();
    for (QPDFObjectHandle annotation : annotations.aitems()) {
        if (!isRemark(annotation)) {
            kept.appendItem(annotation);
        } else if (annotation.isIndirect()) {
            pdf.replaceObject(annotation.getObjGen(), QPDFObjectHandle::newNull());
        }
    }
    if (kept.getArrayNItems() == 0) {
        page.removeKey("/Annots");
    } else {
        page.replaceKey("/Annots", kept);
    }
}

} // namespace

void cleanPackage(CleanableFormat format, const std::string& hostSource,
                  const std::string& hostTarget) {
    posix::TempFile cleaned(hostTarget, "Cleaner");
    std::vector<PackageEntry> entries = readPackage(hostSource);
    entries = format == CleanableFormat::OpenDocument ? cleanOpenDocument(std::move(entries))
                                                      : cleanOfficeOpenXml(std::move(entries));
    writePackage(cleaned.path(), entries);
    cleaned.keep();
}

void cleanPdf(const std::string& hostSource, const std::string& hostTarget) {
    if (::access(hostSource.c_str(), R_OK) != 0) {
        throw failureFromErrno(errno, hostSource, "Pdf");
    }
    posix::TempFile cleaned(hostTarget, "Cleaner");
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(hostSource.c_str());
        pdf.getTrailer().removeKey("/Info");
        QPDFObjectHandle root = pdf.getRoot();
        for (const char* key : {"/Metadata", "/AF", "/Collection"}) {
            root.removeKey(key);
        }
        if (QPDFObjectHandle names = root.getKey("/Names"); names.isDictionary()) {
            names.removeKey("/EmbeddedFiles");
        }
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            QPDFObjectHandle object = page.getObjectHandle();
            object.removeKey("/Metadata");
            object.removeKey("/AF");
            removeRemarks(pdf, object);
        }
        // Only what the cleaned document still refers to is written: the
        // old dictionary and stream, and superseded objects, are left behind.
        QPDFWriter(pdf, cleaned.path().c_str()).write();
    } catch (const std::exception&) {
        // qpdf's message names the host path, which the log must not show.
        throw Failure(failure::PathFileAccessError, "Pdf");
    }
    cleaned.keep();
}

} // namespace lexi
