#include "platform/posix/msgfile/compressed_rtf.h"
#include "platform/posix/msgfile/encapsulated_html.h"

#include <gtest/gtest.h>
#include <optional>

using namespace lexi::msgfile;
using namespace std::string_literals;

namespace {

TEST(MsgRtfDecompression, GivesTheRtfOrNothing) {
    // The examples of the compression's documentation: literals and references,
    // and a reference that overlaps the bytes it writes; then one stored
    // uncompressed, one with a reference that would copy 17 bytes from a 3-byte
    // raw size, and three that are no compressed RTF.
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"\x2d\0\0\0\x2b\0\0\0LZFu\xf1\xc5\xc7\xa7\x03\0\x0a\0rcpg125B2\x0a\xf3 hel\x09\0 "
         "bw\x05\xb0"
         "ld}\x0a\x80\x0f\xa0"s,
         "{\\rtf1\\ansi\\ansicpg1252\\pard hello world}\r\n"},
        {"\x1a\0\0\0\x1c\0\0\0LZFu\xe2\xd4KQA\0\x04 WXYZ\x0dn}\x01\x0e\xb0"s,
         "{\\rtf1 WXYZWXYZWXYZWXYZWXYZ}"},
        {"\x10\0\0\0\x04\0\0\0MELA\0\0\0\0{}xy"s, "{}xy"},
        {"\x0f\0\0\0\x03\0\0\0LZFu\0\0\0\0\x01\0\x0f"s, "{\\r"},
        {"\xff\0\0\0\x04\0\0\0MELA\0\0\0\0"s, std::nullopt},
        {"\x0c\0\0\0\0\0\0\0ABCD\0\0\0\0"s, std::nullopt},
        {"LZFu", std::nullopt},
    };
    for (const auto& [compressed, rtf] : cases) {
        EXPECT_EQ(decompressRtf(compressed), rtf) << rtf.value_or("nothing");
    }
}

TEST(MsgEncapsulatedHtml, IsTakenOutOfTheRtf) {
    // clang-format off
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"{\\rtf1\\ansi Hello\\par}", std::nullopt},
        {"{\\rtf1\\ansi\\fromhtml1 {\\fonttbl{\\f0 Arial;}}{\\*\\htmltag19 <b>}"
         "\\htmlrtf {\\b \\htmlrtf0 Hej{\\*\\htmltag84 </b>}\\htmlrtf }\\htmlrtf0 }", "<b>Hej</b>"},
        {"{\\rtf1\\fromhtml1 a\\par b\\tab c}", "a\r\nb\tc"},
        {"{\\rtf1\\fromhtml1 x\\htmlrtf y\\htmlrtf0 z}", "xz"},
        {"{\\rtf1\\fromhtml1 {\\*\\mhtmltag84 <a>}{\\*\\htmltag84 <a>}}", "<a>"},
        {"{\\rtf1\\ansi\\ansicpg1250\\fromhtml1 \\'8a\\'e6}", "Šć"},
        {"{\\rtf1\\fromhtml1 S\\u248?ren\\uc2\\u-10179\\'3f?\\u-8704??}", "Søren😀"},
        {"{\\rtf1\\fromhtml1 \\{\\}\\\\}", "{}\\"}, {"}}{\\rtf1\\fromhtml1 a{{b", "ab"},
    };
    // clang-format on
    for (const auto& [rtf, html] : cases) {
        EXPECT_EQ(htmlFromRtf(rtf), html) << rtf;
    }
}

} // namespace
