#include "docprep/cleanable_formats.h"

#include "platform/text.h"
#include "platform/windows_path.h"

namespace lexi {
namespace {

struct Extension {
    std::string_view name;
    CleanableFormat format;
    bool wordSaves; // Word opens it and saves it again in its own kind
};

constexpr Extension Extensions[] = {
    {"doc", CleanableFormat::WordBinary, true},
    {"docx", CleanableFormat::OfficeOpenXml, true},
    {"docm", CleanableFormat::OfficeOpenXml, true},
    {"odt", CleanableFormat::OpenDocument, true},
    {"ods", CleanableFormat::OpenDocument, false},
    {"odp", CleanableFormat::OpenDocument, false},
    {"xlsx", CleanableFormat::OfficeOpenXml, false},
    {"xlsm", CleanableFormat::OfficeOpenXml, false},
    {"pptx", CleanableFormat::OfficeOpenXml, false},
    {"pptm", CleanableFormat::OfficeOpenXml, false},
    {"pdf", CleanableFormat::Pdf, false},
};

const Extension* knownExtension(std::string_view extension) {
    for (const Extension& known : Extensions) {
        if (text::equalsIgnoreCase(extension, known.name)) {
            return &known;
        }
    }
    return nullptr;
}

const Extension* extensionOf(std::string_view path) {
    return knownExtension(extensionPart(path));
}

} // namespace

std::optional<CleanableFormat> cleanableExtension(std::string_view extension) {
    const Extension* known = knownExtension(extension);
    return known ? std::optional(known->format) : std::nullopt;
}

std::optional<CleanableFormat> cleanableFormat(std::string_view path) {
    const Extension* known = extensionOf(path);
    return known ? std::optional(known->format) : std::nullopt;
}

bool wordSavesItsKind(std::string_view path) {
    const Extension* known = extensionOf(path);
    return known && known->wordSaves;
}

std::string cleanableExtensionsText() {
    std::string names;
    for (const Extension& known : Extensions) {
        if (!names.empty()) {
            names += &known == &Extensions[std::size(Extensions) - 1] ? " og " : ", ";
        }
        names += known.name;
    }
    return names;
}

} // namespace lexi
