#include "platform/registry_path.h"

#include "platform/text.h"

namespace lexi::registry_path {

std::optional<std::string> canonical(std::string_view subkey) {
    if (!subkey.empty() && subkey.back() == '\\') {
        subkey.remove_suffix(1);
    }
    if (!subkey.empty() &&
        (subkey.front() == '\\' || subkey.find("\\\\") != std::string_view::npos)) {
        return std::nullopt;
    }
    return std::string(subkey);
}

std::string folded(std::string_view name) {
    return text::toLower(name);
}

std::vector<std::string> lineage(std::string_view canonicalSubkey) {
    std::vector<std::string> paths;
    if (canonicalSubkey.empty()) {
        return paths;
    }
    for (std::size_t pos = canonicalSubkey.find('\\'); pos != std::string_view::npos;
         pos = canonicalSubkey.find('\\', pos + 1)) {
        paths.emplace_back(canonicalSubkey.substr(0, pos));
    }
    paths.emplace_back(canonicalSubkey);
    return paths;
}

bool isBelow(std::string_view key, std::string_view ancestor) {
    if (ancestor.empty()) {
        return !key.empty();
    }
    return key.size() > ancestor.size() + 1 && key.starts_with(ancestor) &&
           key[ancestor.size()] == '\\';
}

} // namespace lexi::registry_path
