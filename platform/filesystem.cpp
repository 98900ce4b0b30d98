#include "platform/filesystem.h"

namespace lexi {
namespace {

// Where the character ending at `end` starts.
std::size_t previousCharacter(std::string_view utf8, std::size_t end) {
    do {
        --end;
    } while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80);
    return end;
}

// The text cut to at most `bytes` bytes, on a character's start.
std::string_view cutToBytes(std::string_view utf8, std::size_t bytes) {
    if (utf8.size() <= bytes) {
        return utf8;
    }
    return utf8.substr(0, previousCharacter(utf8, bytes + 1));
}

} // namespace

std::string fittedName(FileSystem& files, std::string_view stem, std::string_view tail) {
    const auto fits = [&files](std::string_view name) {
        return files.nameLength(name) + TemporarySuffixRoom <= LongestName;
    };
    // No UTF-16 unit takes more than three bytes: what lies beyond never fits.
    const std::size_t mostBytes = 3 * LongestName;
    if (!fits(tail)) {
        // A tail too long on its own goes the way of the stem's end.
        std::string name(cutToBytes(std::string(stem) + std::string(tail), mostBytes));
        while (!fits(name)) {
            name.resize(previousCharacter(name, name.size()));
        }
        return name;
    }
    stem = cutToBytes(stem, mostBytes);
    while (!fits(std::string(stem) + std::string(tail))) {
        stem = stem.substr(0, previousCharacter(stem, stem.size()));
    }
    return std::string(stem) + std::string(tail);
}

} // namespace lexi
