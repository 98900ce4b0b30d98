#include "platform/text.h"

#include "platform/utf8.h"

namespace lexi::text {
namespace {

// Lower and upper case pairs of Latin-1 and Latin Extended-A, the letters a
// Danish workstation meets. Other characters have no case here.
char32_t lower(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    if (c == 0x178) {
        return 0xFF;
    }
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool upper = oddPairs ? (c % 2 == 1) : (c % 2 == 0);
        return upper ? c + 1 : c;
    }
    return c;
}

char32_t upper(char32_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return c - 0x20;
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (c >= 0x100 && c <= 0x17F && lower(c) == c && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F && lower(c - 1) == c) {
        return c - 1;
    }
    return c;
}

template <typename Map> std::string mapLetters(std::string_view utf8, Map map) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const char32_t cp = utf8::decode(utf8, pos);
        if (cp == utf8::Invalid) {
            out.append(utf8.substr(start, pos - start));
        } else {
            utf8::append(out, map(cp));
        }
    }
    return out;
}

} // namespace

std::string toLower(std::string_view utf8) {
    return mapLetters(utf8, lower);
}

std::string toUpper(std::string_view utf8) {
    return mapLetters(utf8, upper);
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (lower(utf8::decode(a, i)) != lower(utf8::decode(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string_view trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = utf8::decode(utf8, pos);
        units += cp != utf8::Invalid && cp > 0xFFFF ? 2 : 1;
    }
    return units;
}

std::string_view left(std::string_view utf8, std::size_t units) {
    std::size_t taken = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t next = pos;
        const char32_t cp = utf8::decode(utf8, next);
        taken += cp != utf8::Invalid && cp > 0xFFFF ? 2 : 1;
        if (taken > units) {
            break;
        }
        pos = next;
    }
    return utf8.substr(0, pos);
}

std::vector<std::string> readLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

} // namespace lexi::text
