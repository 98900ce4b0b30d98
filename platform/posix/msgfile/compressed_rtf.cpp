#include "platform/posix/msgfile/compressed_rtf.h"

#include "platform/posix/msgfile/little_endian.h"

#include <array>
#include <cstdint>

namespace lexi::msgfile {
namespace {

constexpr std::size_t HeaderSize = 16;
constexpr std::uint32_t Compressed = 0x75465A4C;   // "LZFu"
constexpr std::uint32_t Uncompressed = 0x414C454D; // "MELA"
constexpr std::size_t DictionarySize = 4096;

// The dictionary starts with these RTF fragments, so that references can point
// at them from the first byte on.
constexpr std::string_view InitialDictionary =
    "{\\rtf1\\ansi\\mac\\deff0\\deftab720{\\fonttbl;}{\\f0\\fnil \\froman \\fswiss \\fmodern "
    "\\fscript \\fdecor MS Sans SerifSymbolArialTimes New RomanCourier{\\colortbl\\red0\\green0"
    "\\blue0\r\n\\par \\pard\\plain\\f0\\fs20\\b\\i\\u\\tab\\tx";

// Runs of control bytes: each bit, lowest first, tells whether the next token
// is a literal byte (0) or a two-byte reference into the dictionary (1): a
// 12-bit offset and a 4-bit length less 2. A reference to the current write
// position ends the data.
std::string expand(std::string_view data, std::size_t rawSize) {
    std::array<char, DictionarySize> dictionary{};
    InitialDictionary.copy(dictionary.data(), InitialDictionary.size());
    std::size_t write = InitialDictionary.size();
    std::string out;
    const auto emit = [&](char c) {
        out += c;
        dictionary[write] = c;
        write = (write + 1) % DictionarySize;
    };
    std::size_t pos = 0;
    while (pos < data.size() && out.size() < rawSize) {
        const auto control = static_cast<unsigned char>(data[pos++]);
        for (int bit = 0; bit < 8 && pos < data.size() && out.size() < rawSize; ++bit) {
            if ((control >> bit & 1) == 0) {
                emit(data[pos++]);
                continue;
            }
            if (pos + 2 > data.size()) {
                return out;
            }
            const auto reference =
                static_cast<std::uint16_t>(static_cast<unsigned char>(data[pos]) << 8 |
                                           static_cast<unsigned char>(data[pos + 1]));
            pos += 2;
            std::size_t offset = reference >> 4;
            if (offset == write) {
                return out;
            }
            for (std::size_t length = (reference & 0xF) + 2; length > 0; --length) {
                emit(dictionary[offset]);
                offset = (offset + 1) % DictionarySize;
            }
        }
    }
    out.resize(std::min(out.size(), rawSize));
    return out;
}

} // namespace

std::optional<std::string> decompressRtf(std::string_view compressed) {
    if (compressed.size() < HeaderSize) {
        return std::nullopt;
    }
    // The stated size counts the bytes after its own field.
    const std::size_t compressedSize = readLittleEndian(compressed, 0, 4);
    const std::size_t rawSize = readLittleEndian(compressed, 4, 4);
    const std::uint32_t kind = static_cast<std::uint32_t>(readLittleEndian(compressed, 8, 4));
    if (compressedSize < HeaderSize - 4 || compressedSize > compressed.size() - 4) {
        return std::nullopt;
    }
    const std::string_view data = compressed.substr(HeaderSize, compressedSize - (HeaderSize - 4));
    switch (kind) {
    case Compressed:
        return expand(data, rawSize);
    case Uncompressed:
        return std::string(data.substr(0, rawSize));
    default:
        return std::nullopt;
    }
}

} // namespace lexi::msgfile
