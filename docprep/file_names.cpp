#include "docprep/file_names.h"

#include "platform/text.h"

#include <algorithm>

namespace lexi {
namespace {

constexpr std::string_view Replaced = "(?*\",\\<>&#~%{}+_@:/!;-";

} // namespace

std::string CleanFileName(std::string_view name) {
    std::string cleaned;
    cleaned.reserve(name.size());
    bool inRun = false;
    for (const char c : name) {
        const bool replaced = Replaced.find(c) != std::string_view::npos;
        if (replaced && !inRun) {
            cleaned += '_';
        } else if (!replaced) {
            cleaned += c;
        }
        inRun = replaced;
    }
    return cleaned;
}

std::string attachmentFileName(FileSystem& files, std::string_view chosen) {
    const std::string cleaned = CleanFileName(chosen);
    const std::size_t dot = std::min(cleaned.rfind('.'), cleaned.size());
    return fittedName(files, std::string_view(cleaned).substr(0, dot), cleaned.substr(dot));
}

std::string recordExtension(std::string_view path) {
    return text::toLower(text::trimSpaces(extensionPart(path)));
}

} // namespace lexi
