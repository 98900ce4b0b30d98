#include "platform/windows_path.h"

#include "platform/text.h"
#include "platform/utf8.h"

#include <algorithm>
#include <cctype>

namespace lexi {
namespace {

bool hasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

bool matchFrom(const std::u32string& name, std::size_t n, const std::u32string& pattern,
               std::size_t p) {
    while (p < pattern.size()) {
        if (pattern[p] == U'*') {
            for (std::size_t rest = n; rest <= name.size(); ++rest) {
                if (matchFrom(name, rest, pattern, p + 1)) {
                    return true;
                }
            }
            return false;
        }
        if (n == name.size() || (pattern[p] != U'?' && pattern[p] != name[n])) {
            return false;
        }
        ++n, ++p;
    }
    return n == name.size();
}

std::u32string foldedCodePoints(std::string_view text) {
    const std::string lower = text::toLower(text);
    std::u32string out;
    for (std::size_t pos = 0; pos < lower.size();) {
        out += utf8::decode(lower, pos);
    }
    return out;
}

} // namespace

std::optional<WindowsPath> parseWindowsPath(std::string_view text,
                                            const std::function<std::string()>& currentFolder) {
    std::string path(text);
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.starts_with("\\\\")) {
        return std::nullopt;
    }
    if (!hasDrive(path)) {
        const std::string current = currentFolder();
        if (!hasDrive(current)) {
            return std::nullopt;
        }
        path = path.starts_with('\\') ? current.substr(0, 2) + path : current + "\\" + path;
    }
    WindowsPath parsed;
    parsed.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    for (std::size_t start = 2; start <= path.size();) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        std::string component = path.substr(start, end - start);
        while (!component.empty() && (component.back() == ' ' || component.back() == '.') &&
               component != "." && component != "..") {
            component.pop_back();
        }
        if (component == "..") {
            if (!parsed.components.empty()) {
                parsed.components.pop_back();
            }
        } else if (!component.empty() && component != ".") {
            parsed.components.push_back(std::move(component));
        }
        start = end + 1;
    }
    return parsed;
}

std::optional<std::size_t> namesBelowRoot(std::string_view path) {
    const auto separator = [](char c) {
        return c == '\\' || c == '/';
    };
    std::string rooted(path);
    if (path.size() > 2 && separator(path[0]) && separator(path[1])) {
        // Below a share, the names count as below a drive's root.
        const auto server = std::find_if(path.begin() + 2, path.end(), separator);
        const auto share =
            server == path.end() ? server : std::find_if(server + 1, path.end(), separator);
        const bool named =
            server != path.begin() + 2 && server != path.end() && share != server + 1;
        rooted = named ? "N:\\" + std::string(share, path.end()) : std::string();
    }
    if (rooted.size() < 3 || !std::isalpha(static_cast<unsigned char>(rooted[0])) ||
        rooted[1] != ':' || !separator(rooted[2])) {
        return std::nullopt;
    }
    const auto parsed = parseWindowsPath(rooted, [] { return std::string(); });
    return parsed ? std::optional(parsed->components.size()) : std::nullopt;
}

std::string_view folderPart(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator + 1);
}

std::string_view fileNamePart(std::string_view path) {
    return path.substr(folderPart(path).size());
}

std::string_view extensionPart(std::string_view path) {
    const std::string_view name = fileNamePart(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

bool matchesWildcard(std::string_view name, std::string_view pattern) {
    // Runs of "*" match like one, which keeps the backtracking small.
    std::u32string folded = foldedCodePoints(pattern);
    folded.erase(std::unique(folded.begin(), folded.end(),
                             [](char32_t a, char32_t b) { return a == U'*' && b == U'*'; }),
                 folded.end());
    const std::u32string foldedName = foldedCodePoints(name);
    if (matchFrom(foldedName, 0, folded, 0)) {
        return true;
    }
    // As on Windows, a final ".*" may also match nothing: "*.*" matches
    // "README", and "brev.*" matches "brev".
    const bool dotStar = folded.size() >= 2 && folded.compare(folded.size() - 2, 2, U".*") == 0;
    return dotStar && matchFrom(foldedName, 0, folded.substr(0, folded.size() - 2), 0);
}

} // namespace lexi
