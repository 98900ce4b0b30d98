#include "shared/pdfwriter/md_pdf_writer.h"

#include "shared/pdfwriter/driver_values.h"

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
    {"DisplayMode", driver::BypassSaveAs, false},
    {"FileName", driver::OutputFile, false},
    {"StartNumber", driver::StartAt, true},
    {"Security", driver::AddSecurity, false},
    {"Encryption", driver::Level, false},
    {"UserPassword", driver::UserPassword, false},
    {"MasterPassword", driver::MasterPassword, false},
    {"NoPrint", driver::NoPrinting, false},
    {"NoModify", driver::NoModifyContents, false},
    {"NoComments", driver::NoModifyAnnotations, false},
    {"NoCopy", driver::NoCopy, false},
    {"ApplyBackground", driver::AddBackground, false},
    {"BackgroundSource", driver::BackgroundFile, false},
    {"FirstPageOnly", driver::FirstPageOnly, false},
    {"Append", driver::CombinePDFs, true},
    {"Author", driver::Author, false},
    {"Title", driver::Title, false},
    {"Subject", driver::Subject, false},
    {"Keywords", driver::Keywords, false},
    {"PDFCreator", driver::Creator, false},
    {"PDFProducer", driver::Producer, false},
    {"LeftMargin", driver::LeftMargin, true},
    {"TopMargin", driver::TopMargin, true},
    {"RightMargin", driver::RightMargin, true},
    {"BottomMargin", driver::BottomMargin, true},
    {"DocScale", driver::Scale, true},
}};

} // namespace

std::string readRegistryText(mdRegistry& registry, std::string_view key, std::string_view name) {
    constexpr std::int32_t FirstBuffer = 255;
    std::int32_t bufferSize = FirstBuffer;
    auto value = registry.ReadRegistryValue(key, name, bufferSize);
    if (!value && bufferSize > FirstBuffer) {
        value = registry.ReadRegistryValue(key, name, bufferSize);
    }
    return value.value_or("");
}

void mdPDFWriter::ResetPDFWriter() {
    // A missing key fails without a message; a refusal has been told by the
    // registry module. Either way the caller goes on. Settings that were
    // there may hold a password: the store keeps no copy of them.
    if (registry_.DeleteRegistryKey(PdfWriterSettingsKey)) {
        registry_.FlushRegistryKey("HKEY_CURRENT_USER\\Software");
    }
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
