#include "apps/lexitray-cleaner/cleanable_formats.h"

#include "platform/text.h"

namespace lexi {
namespace {

struct Extension {
    std::string_view name;
    CleanableFormat format;
};

constexpr Extension Extensions[] = {
    {"docx", CleanableFormat::OfficeOpenXml},
    {"docm", CleanableFormat::OfficeOpenXml},
    {"xlsx", CleanableFormat::OfficeOpenXml},
    {"xlsm", CleanableFormat::OfficeOpenXml},
    {"pptx", CleanableFormat::OfficeOpenXml},
    {"pptm", CleanableFormat::OfficeOpenXml},
    {"odt", CleanableFormat::OpenDocument},
    {"ods", CleanableFormat::OpenDocument},
    {"odp", CleanableFormat::OpenDocument},
    {"doc", CleanableFormat::WordBinary},
    {"pdf", CleanableFormat::Pdf},
};

} // namespace

std::optional<CleanableFormat> cleanableFormat(std::string_view path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || path.find_first_of("\\/", dot) != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view extension = path.substr(dot + 1);
    for (const Extension& known : Extensions) {
        if (text::equalsIgnoreCase(extension, known.name)) {
            return known.format;
        }
    }
    return std::nullopt;
}

} // namespace lexi
