#include "platform/posix/msgfile/text_encoding.h"

#include <gtest/gtest.h>

using namespace lexi::msgfile;

namespace {

TEST(MsgCodePage, DecodesToUtf8) {
    // clang-format off
    const std::tuple<std::uint32_t, std::string, std::string> cases[] = {
        {1252, "\xC6r\xF8 \x80", "Ærø €"}, {1250, "\x8A\x9A\xF8", "Ššř"}, {28592, "\xB1", "ą"},
        {28591, "\xE5\x80", "å€"}, {65001, "Søren", "Søren"}, {65001, "S\xC3(", "S\uFFFD("},
        {932, "\x93\xFA\x96\x7B", "日本"}, {1252, std::string("ab\0cd", 5), "ab"},
        {4242, "\xE6", "æ"}, // unknown: Windows-1252
    };
    // clang-format on
    for (const auto& [codePage, bytes, utf8] : cases) {
        EXPECT_EQ(codePageToUtf8(bytes, codePage), utf8) << codePage << " " << utf8;
    }
}

TEST(MsgUtf16, DecodesToUtf8AndBack) {
    // A lone high or low surrogate becomes U+FFFD; an odd last byte is dropped.
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {std::string("\xC6\0\xF8\0\xE5\0", 6), "Æøå"}, {std::string("\x3D\xD8\x00\xDE", 4), "😀"},
        {std::string("\x3D\xD8z\0", 4), "\uFFFDz"},   {std::string("\x00\xDE", 2), "\uFFFD"},
        {std::string("a\0\0\0b\0", 6), "a"},           {std::string("a\0b", 3), "a"},
    };
    // clang-format on
    for (const auto& [utf16, utf8] : cases) {
        EXPECT_EQ(utf16ToUtf8(utf16), utf8) << utf8;
    }
    const std::string text = "A Æ € 日 😀 \U0010FFFF";
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
    EXPECT_EQ(utf8ToUtf16("😀"), std::string("\x3D\xD8\x00\xDE", 4));
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("a\xFFz")), "a\uFFFDz");
}

} // namespace
