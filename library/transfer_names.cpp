#include "library/transfer_names.h"

#include "platform/text.h"

#include <algorithm>
#include <array>

namespace lexi {
namespace {

constexpr std::string_view Extension = ".msg";
// What ends a name cut short.
constexpr std::string_view CutExtension = ".....msg";
constexpr std::size_t LongestPath = 200;
constexpr std::size_t KeptOfLongName = 192;

// Removed from a subject in this order; the order matters for nothing but
// the reader.
constexpr std::array<char, 23> Removed = {' ',  ':', '\\', '/', '$', '#', '@', '=',
                                          '}',  '{', ']',  '[', '*', '?', '+', '|',
                                          '\'', ',', '.',  '-', '<', '>', '"'};

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// The text without its last `count` characters (all of it gone when it has
// fewer).
std::string withoutLastChars(const std::string& utf8, std::size_t count) {
    const std::size_t length = text::utf16Length(utf8);
    return std::string(text::left(utf8, length > count ? length - count : 0));
}

} // namespace

std::string cleanedFileName(std::string_view subject) {
    std::string name;
    for (const char c : subject) {
        if (!isControl(c) && std::find(Removed.begin(), Removed.end(), c) == Removed.end()) {
            name += c;
        }
    }
    return (name.empty() ? std::string("email") : name) + std::string(Extension);
}

std::string fittedFileName(const std::string& folder, std::string name, int& k, FileSystem& files) {
    const std::string stem = withoutLastChars(name, Extension.size());
    if (text::utf16Length(folder + name) > LongestPath ||
        fittedName(files, stem, Extension) != name) {
        name = fittedName(files, text::left(stem, KeptOfLongName), CutExtension);
    }
    while (files.exists(folder + name)) {
        ++k;
        const std::string number = std::to_string(k);
        name = withoutLastChars(withoutLastChars(name, Extension.size()), number.size()) + number +
               std::string(Extension);
    }
    return name;
}

} // namespace lexi
