#include "docprep/cleanable_formats.h"

#include "platform/text.h"

namespace lexi {
namespace {

struct Extension {
    std::string_view name;
    CleanableFormat format;
};

constexpr Extension Extensions[] = {
    {"doc", CleanableFormat::WordBinary},
    {"docx", CleanableFormat::OfficeOpenXml},
    {"docm", CleanableFormat::OfficeOpenXml},
    {"odt", CleanableFormat::OpenDocument},
    {"ods", CleanableFormat::OpenDocument},
    {"odp", CleanableFormat::OpenDocument},
    {"xlsx", CleanableFormat::OfficeOpenXml},
    {"xlsm", CleanableFormat::OfficeOpenXml},
    {"pptx", CleanableFormat::OfficeOpenXml},
    {"pptm", CleanableFormat::OfficeOpenXml},
    {"pdf", CleanableFormat::Pdf},
};

} // namespace

std::optional<CleanableFormat> cleanableExtension(std::string_view extension) {
    for (const Extension& known : Extensions) {
        if (text::equalsIgnoreCase(extension, known.name)) {
            return known.format;
        }
    }
    return std::nullopt;
}

std::optional<CleanableFormat> cleanableFormat(std::string_view path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || path.find_first_of("\\/", dot) != std::string_view::npos) {
        return std::nullopt;
    }
    return cleanableExtension(path.substr(dot + 1));
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
