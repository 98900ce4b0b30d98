#include "platform/posix/msgfile/text_encoding.h"

#include "platform/cp1252.h"
#include "platform/utf8.h"

#include <cerrno>
#include <iconv.h>

namespace lexi::msgfile {
namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;
constexpr std::uint32_t Windows1252 = 1252;
// ISO-8859-1 text from Outlook is read as Windows-1252, as Outlook reads it:
// the bytes 0x80-0x9F are the typographic characters, not control codes.
constexpr std::uint32_t Latin1 = 28591;

std::string_view untilNul(std::string_view bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

// glibc's name for a Windows code page number.
std::string iconvName(std::uint32_t codePage) {
    switch (codePage) {
    case 65001:
        return "UTF-8";
    case 20127:
        return "ASCII";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 50220:
        return "ISO-2022-JP";
    case 51932:
        return "EUC-JP";
    case 936:
        return "GBK";
    case 950:
        return "BIG5";
    default:
        break;
    }
    if (codePage >= 28592 && codePage <= 28605) {
        return "ISO-8859-" + std::to_string(codePage - 28590);
    }
    return "CP" + std::to_string(codePage);
}

} // namespace

std::string utf16ToUtf8(std::string_view littleEndianBytes) {
    std::string out;
    out.reserve(littleEndianBytes.size() / 2);
    const auto unitAt = [&](std::size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(littleEndianBytes[i]) |
                                     static_cast<unsigned char>(littleEndianBytes[i + 1]) << 8);
    };
    const std::size_t end = littleEndianBytes.size() & ~std::size_t{1};
    for (std::size_t i = 0; i < end; i += 2) {
        const char16_t unit = unitAt(i);
        if (unit == 0) {
            break;
        }
        const bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
        const bool lowSurrogate = unit >= 0xDC00 && unit <= 0xDFFF;
        if (highSurrogate && i + 2 < end) {
            const char16_t next = unitAt(i + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                utf8::append(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                i += 2;
                continue;
            }
        }
        utf8::append(out, highSurrogate || lowSurrogate ? ReplacementCharacter : unit);
    }
    return out;
}

CodePageDecoder::CodePageDecoder(std::uint32_t codePage) : iconv_(nullptr) {
    if (codePage != Windows1252 && codePage != Latin1) {
        const iconv_t handle = iconv_open("UTF-8", iconvName(codePage).c_str());
        if (handle != reinterpret_cast<iconv_t>(-1)) {
            iconv_ = handle;
        }
    }
}

CodePageDecoder::~CodePageDecoder() {
    if (iconv_ != nullptr) {
        iconv_close(static_cast<iconv_t>(iconv_));
    }
}

std::string CodePageDecoder::toUtf8(std::string_view bytes) {
    const std::string_view text = untilNul(bytes);
    if (iconv_ == nullptr) {
        return cp1252::toUtf8(text);
    }
    const auto handle = static_cast<iconv_t>(iconv_);
    std::string out;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(handle, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or truncated sequence: mark it and go on after its first byte.
            utf8::append(out, ReplacementCharacter);
            ++in;
            --inLeft;
        }
    }
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    return out;
}

std::string codePageToUtf8(std::string_view bytes, std::uint32_t codePage) {
    return CodePageDecoder(codePage).toUtf8(bytes);
}

std::string utf8ToUtf16(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() * 2);
    const auto appendUnit = [&](char32_t unit) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    };
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t cp = utf8::decode(utf8, pos);
        if (cp == utf8::Invalid) {
            cp = ReplacementCharacter;
        }
        if (cp >= 0x10000) {
            appendUnit(0xD800 + ((cp - 0x10000) >> 10));
            appendUnit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            appendUnit(cp);
        }
    }
    return out;
}

} // namespace lexi::msgfile
