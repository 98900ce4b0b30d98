#include "apps/lexitray-pdfwriter/pdf_finishing.h"

#include "platform/failure.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <qpdf/QUtil.hh>
#include <random>
#include <stdexcept>

namespace lexi {
namespace {

constexpr const char* Source = "finishPdf";

// Opens a PDF; an encrypted one with the job's owner password, else its user
// password.
void open(QPDF& pdf, const std::string& hostPath, const JobSettings& settings) {
    pdf.setSuppressWarnings(true);
    const std::string& password =
        settings.masterPassword.empty() ? settings.userPassword : settings.masterPassword;
    pdf.processFile(hostPath.c_str(), password.empty() ? nullptr : password.c_str());
}

// Lays the first page of the background PDF under the pages: placed as a form
// and drawn before each page's own content, scaled to the page.
void layUnder(QPDF& pdf, QPDF& background, bool firstPageOnly) {
    auto backgroundPages = QPDFPageDocumentHelper(background).getAllPages();
    if (backgroundPages.empty()) {
        throw std::runtime_error("the background PDF has no pages");
    }
    const QPDFObjectHandle form =
        pdf.copyForeignObject(backgroundPages.front().getFormXObjectForPage());
    auto pages = QPDFPageDocumentHelper(pdf).getAllPages();
    if (firstPageOnly && pages.size() > 1) {
        pages.erase(pages.begin() + 1, pages.end());
    }
    for (QPDFPageObjectHelper& page : pages) {
        QPDFObjectHandle resources = page.getAttribute("/Resources", true);
        if (!resources.isDictionary()) {
            resources = QPDFObjectHandle::newDictionary();
            page.getObjectHandle().replaceKey("/Resources", resources);
        }
        QPDFObjectHandle xobjects = resources.getKey("/XObject");
        // A shared XObject dictionary stays as the other pages know it.
        xobjects =
            xobjects.isDictionary() ? xobjects.shallowCopy() : QPDFObjectHandle::newDictionary();
        resources.replaceKey("/XObject", xobjects);
        int suffix = 0;
        const std::string name = resources.getUniqueResourceName("/LexiBackground", suffix);
        xobjects.replaceKey(name, form);
        const std::string placing = page.placeFormXObject(
            form, name, page.getTrimBox().getArrayAsRectangle(), true, true, true);
        page.addPageContents(QPDFObjectHandle::newStream(&pdf, "q\n" + placing + "\nQ\n"), true);
    }
}

void prependPages(QPDF& pdf, QPDF& existing) {
    QPDFPageDocumentHelper target(pdf);
    auto jobPages = target.getAllPages();
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(existing).getAllPages()) {
        if (jobPages.empty()) {
            target.addPage(page, false);
        } else {
            target.addPageAt(page, true, jobPages.front());
        }
    }
}

// The document information is the job's alone: what the printed document
// carried (its author, its title, the program that made it) and its XMP
// metadata, of the document and of its pages, are left behind.
void describe(QPDF& pdf, const JobSettings& settings) {
    QPDFObjectHandle trailer = pdf.getTrailer();
    trailer.removeKey("/Info");
    pdf.getRoot().removeKey("/Metadata");
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        page.getObjectHandle().removeKey("/Metadata");
    }
    if (!settings.information.empty()) {
        QPDFObjectHandle information = QPDFObjectHandle::newDictionary();
        for (const auto& [key, value] : settings.information) {
            information.replaceKey(key, QPDFObjectHandle::newUnicodeString(value));
        }
        trailer.replaceKey("/Info", pdf.makeIndirectObject(information));
    }
    if (settings.startAt > 0) {
        pdf.getRoot().replaceKey(
            "/PageLabels", QPDFObjectHandle::parse("<< /Nums [ 0 << /S /D /St " +
                                                   std::to_string(settings.startAt) + " >> ] >>"));
    }
}

// An owner password for a PDF whose owner set none: random, kept nowhere.
std::string unknownPassword() {
    std::random_device random;
    std::string password;
    for (int i = 0; i < 4; ++i) {
        password += QUtil::uint_to_string_base(random(), 16, 8);
    }
    return password;
}

// The older levels take passwords in the PDF's own 8-bit encoding, the
// newest in UTF-8.
std::string pdfDocText(const std::string& utf8) {
    return QUtil::utf8_to_pdf_doc(utf8);
}

void secure(QPDFWriter& writer, const JobSettings& settings) {
    const std::string owner =
        settings.masterPassword.empty() ? unknownPassword() : settings.masterPassword;
    const std::string& user = settings.userPassword;
    const bool print = !settings.noPrinting;
    const bool modify = !settings.noModifyContents;
    const bool annotate = !settings.noModifyAnnotations;
    const bool extract = !settings.noCopy;
    const qpdf_r3_print_e printing = print ? qpdf_r3p_full : qpdf_r3p_none;
    if (settings.level == "40") {
        writer.setR2EncryptionParametersInsecure(
            pdfDocText(user).c_str(), pdfDocText(owner).c_str(), print, modify, extract, annotate);
    } else if (settings.level == "128") {
        writer.setR4EncryptionParametersInsecure(pdfDocText(user).c_str(),
                                                 pdfDocText(owner).c_str(), true, extract, modify,
                                                 annotate, annotate, modify, printing, true, true);
    } else {
        writer.setR6EncryptionParameters(user.c_str(), owner.c_str(), true, extract, modify,
                                         annotate, annotate, modify, printing, true);
    }
}

} // namespace

void finishPdf(const JobSettings& settings, const FinishingFiles& files) {
    try {
        QPDF pdf;
        open(pdf, files.printed, settings);
        // The other PDFs stay open until the result is written: their pages'
        // contents are copied then.
        QPDF background;
        if (!files.background.empty()) {
            open(background, files.background, settings);
            layUnder(pdf, background, settings.firstPageOnly);
        }
        QPDF existing;
        if (!files.existing.empty()) {
            open(existing, files.existing, settings);
            prependPages(pdf, existing);
        }
        describe(pdf, settings);
        QPDFWriter writer(pdf, files.result.c_str());
        writer.setPreserveEncryption(false);
        if (settings.addSecurity) {
            secure(writer, settings);
        }
        writer.write();
    } catch (const Failure&) {
        throw;
    } catch (const std::exception& error) {
        throw Failure(failure::ApplicationDefined, error.what(), Source);
    }
}

} // namespace lexi
