#include "shared/pdfwriter/md_pdf_writer.h"

#include <algorithm>
#include <array>

namespace lexi {
namespace {

struct DriverValue {
    std::string_view setting;
    std::string_view valueName;
    bool binary;
};

constexpr std::array<DriverValue, 26> DriverValues = {{
    {"DisplayMode", "BypassSaveAs", false},
    {"FileName", "OutputFile", false},
    {"StartNumber", "StartAt", true},
    {"Security", "AddSecurity", false},
    {"Encryption", "Level", false},
    {"UserPassword", "userPassword", false},
    {"MasterPassword", "masterPassword", false},
    {"NoPrint", "noPrinting", false},
    {"NoModify", "noModifyContents", false},
    {"NoComments", "noModifyAnnotations", false},
    {"NoCopy", "noCopy", false},
    {"ApplyBackground", "AddBackground", false},
    {"BackgroundSource", "BackgroundFile", false},
    {"FirstPageOnly", "FirstPageOnly", false},
    {"Append", "CombinePDFs", true},
    {"Author", "Author", false},
    {"Title", "Title", false},
    {"Subject", "Subject", false},
    {"Keywords", "Keywords", false},
    {"PDFCreator", "Creator", false},
    {"PDFProducer", "Producer", false},
    {"LeftMargin", "LeftMargin", true},
    {"TopMargin", "TopMargin", true},
    {"RightMargin", "RightMargin", true},
    {"BottomMargin", "BottomMargin", true},
    {"DocScale", "Scale", true},
}};

} // namespace

void mdPDFWriter::ResetPDFWriter() {
    // A missing key fails without a message; a refusal has been told by the
    // registry module. Either way the caller goes on.
    registry_.DeleteRegistryKey(PdfWriterSettingsKey);
    ui_.doEvents();
}

void mdPDFWriter::SetPDFWriterSetting(std::string_view name, std::string_view value) {
    const auto row = std::ranges::find(DriverValues, name, &DriverValue::setting);
    if (row != DriverValues.end()) {
        // A failed write has been told by the registry module.
        registry_.WriteRegistryValue(PdfWriterSettingsKey, row->valueName, value, row->binary);
    }
    ui_.doEvents();
}

} // namespace lexi
