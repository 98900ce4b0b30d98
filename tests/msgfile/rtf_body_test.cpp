#include "platform/posix/msgfile/compressed_rtf.h"
#include "platform/posix/msgfile/encapsulated_html.h"

#include <gtest/gtest.h>
#include <optional>

using namespace lexi::msgfile;

namespace {

std::string bytes(std::initializer_list<unsigned char> values) {
    return std::string(values.begin(), values.end());
}

TEST(MsgRtfDecompression, GivesTheRtfOrNothing) {
    struct Case {
        const char* name;
        std::string compressed;
        std::optional<std::string> rtf;
    } const cases[] = {
        // The examples of the compression's documentation: literals and
        // references, and a reference that overlaps the bytes it writes.
        {"literals and references",
         bytes({0x2d, 0x00, 0x00, 0x00, 0x2b, 0x00, 0x00, 0x00, 0x4c, 0x5a, 0x46, 0x75, 0xf1,
                0xc5, 0xc7, 0xa7, 0x03, 0x00, 0x0a, 0x00, 0x72, 0x63, 0x70, 0x67, 0x31, 0x32,
                0x35, 0x42, 0x32, 0x0a, 0xf3, 0x20, 0x68, 0x65, 0x6c, 0x09, 0x00, 0x20, 0x62,
                0x77, 0x05, 0xb0, 0x6c, 0x64, 0x7d, 0x0a, 0x80, 0x0f, 0xa0}),
         "{\\rtf1\\ansi\\ansicpg1252\\pard hello world}\r\n"},
        {"overlapping reference",
         bytes({0x1a, 0x00, 0x00, 0x00, 0x1c, 0x00, 0x00, 0x00, 0x4c, 0x5a,
                0x46, 0x75, 0xe2, 0xd4, 0x4b, 0x51, 0x41, 0x00, 0x04, 0x20,
                0x57, 0x58, 0x59, 0x5a, 0x0d, 0x6e, 0x7d, 0x01, 0x0e, 0xb0}),
         "{\\rtf1 WXYZWXYZWXYZWXYZWXYZ}"},
        {"stored",
         bytes({16, 0, 0, 0, 4, 0, 0, 0, 'M', 'E', 'L', 'A', 0, 0, 0, 0, '{', '}', 'x', 'y'}),
         "{}xy"},
        // A reference that would copy 17 bytes from a 3-byte raw size.
        {"stops at the stated size",
         bytes({15, 0, 0, 0, 3, 0, 0, 0, 'L', 'Z', 'F', 'u', 0, 0, 0, 0, 0x01, 0x00, 0x0F}),
         "{\\r"},
        {"stated size beyond the value",
         bytes({0xff, 0, 0, 0, 4, 0, 0, 0, 'M', 'E', 'L', 'A', 0, 0, 0, 0}), std::nullopt},
        {"unknown kind", bytes({12, 0, 0, 0, 0, 0, 0, 0, 'A', 'B', 'C', 'D', 0, 0, 0, 0}),
         std::nullopt},
        {"shorter than the header", "LZFu", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decompressRtf(c.compressed), c.rtf) << c.name;
    }
}

TEST(MsgEncapsulatedHtml, IsTakenOutOfTheRtf) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"{\\rtf1\\ansi Hello\\par}", std::nullopt},
        {"{\\rtf1\\ansi\\fromhtml1 {\\fonttbl{\\f0 Arial;}}{\\*\\htmltag19 <b>}"
         "\\htmlrtf {\\b \\htmlrtf0 Hej{\\*\\htmltag84 </b>}\\htmlrtf }\\htmlrtf0 }",
         "<b>Hej</b>"},
        {"{\\rtf1\\fromhtml1 a\\par b\\tab c}", "a\r\nb\tc"},
        {"{\\rtf1\\fromhtml1 x\\htmlrtf y\\htmlrtf0 z}", "xz"},
        {"{\\rtf1\\fromhtml1 {\\*\\mhtmltag84 <a>}{\\*\\htmltag84 <a>}}", "<a>"},
        {"{\\rtf1\\ansi\\ansicpg1250\\fromhtml1 \\'8a\\'e6}", "Šć"},
        {"{\\rtf1\\fromhtml1 S\\u248?ren\\uc2\\u-10179\\'3f?\\u-8704??}", "Søren😀"},
        {"{\\rtf1\\fromhtml1 \\{\\}\\\\}", "{}\\"},
        {"}}{\\rtf1\\fromhtml1 a{{b", "ab"},
    };
    for (const auto& [rtf, html] : cases) {
        EXPECT_EQ(htmlFromRtf(rtf), html) << rtf;
    }
}

} // namespace
