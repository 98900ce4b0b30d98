#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The text encodings an item file uses, to and from the program's UTF-8.
namespace lexi::msgfile {

// Decoders end the text at its first NUL character, as the file's writers
// terminate strings, and turn what cannot be decoded into U+FFFD.

// UTF-16LE bytes (PT_UNICODE) to UTF-8. An odd last byte is dropped.
std::string utf16ToUtf8(std::string_view littleEndianBytes);

// 8-bit text (PT_STRING8, or an HTML body) in a Windows code page to UTF-8.
// ISO-8859-1 (28591), and a code page the system does not know, are read as
// Windows-1252.
class CodePageDecoder {
public:
    explicit CodePageDecoder(std::uint32_t codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    std::string toUtf8(std::string_view bytes);

private:
    void* iconv_; // null: Windows-1252
};

std::string codePageToUtf8(std::string_view bytes, std::uint32_t codePage);

// UTF-8 to UTF-16LE bytes without a terminator.
std::string utf8ToUtf16(std::string_view utf8);

} // namespace lexi::msgfile
