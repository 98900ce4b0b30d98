// fake_word.dll: the double of Word.Application, opening the documents on
// disk, with the firm's PDF writer as the printer it prints to: a document
// printed on the PDF writer becomes a PDF at the path the driver's job
// settings name, as the driver writes it when the job arrives.

#include "platform/cp1252.h"
#include "platform/printers.h"
#include "platform/win32/fake/fake_server.h"
#include "platform/win32/fake/fake_word.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_registry.h"
#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"

#include <filesystem>
#include <fstream>

namespace lexi::fakecom {
namespace {

// A job setting as text; empty when it is missing.
std::string jobSetting(std::string_view name) {
    win32::Win32Registry registry;
    const KeyPath key = *SelectRoot(PdfWriterSettingsKey);
    RegistryValue value;
    std::size_t size = 0;
    if (registry.queryValue(key.root, key.subkey, name, 4096, value, size) != RegistryStatus::Ok) {
        return {};
    }
    return cp1252::toUtf8(CutAtNul(value.data));
}

// A PDF of one empty A4 page.
std::string onePagePdf() {
    const char* const objects[] = {"<< /Type /Catalog /Pages 2 0 R >>",
                                   "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                   "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>"};
    std::string pdf = "%PDF-1.4\n";
    std::string table = "xref\n0 4\n0000000000 65535 f \n";
    int number = 0;
    for (const char* object : objects) {
        char entry[21];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        table += entry;
        pdf += std::to_string(++number) + " 0 obj\n" + object + "\nendobj\n";
    }
    const std::size_t tableAt = pdf.size();
    return pdf + table + "trailer\n<< /Size 4 /Root 1 0 R >>\nstartxref\n" +
           std::to_string(tableAt) + "\n%%EOF\n";
}

// The PDF writer with its save dialog turned off writes the job beside its
// output file and renames it into place, as the driver does; any other
// printer, or the dialog left on, gives no file.
void print(const std::string& printer) {
    if (!printer.starts_with(PdfWriterName) || jobSetting(driver::BypassSaveAs) != "1") {
        return;
    }
    const std::filesystem::path output = win32::toWide(jobSetting(driver::OutputFile));
    std::filesystem::path partial = output;
    partial += L".part";
    std::ofstream(partial, std::ios::binary) << onePagePdf();
    std::error_code ignored;
    std::filesystem::rename(partial, output, ignored);
}

} // namespace

AutomationValue newServedApplication() {
    static const auto word = [] {
        auto made = std::make_shared<FakeWord>();
        made->opensFilesOnDisk = true;
        made->printer = print;
        return made;
    }();
    return newFakeWord(word);
}

} // namespace lexi::fakecom
