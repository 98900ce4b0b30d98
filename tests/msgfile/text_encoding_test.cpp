#include "platform/posix/msgfile/text_encoding.h"

#include <gtest/gtest.h>

using namespace lexi::msgfile;

namespace {

struct CodePageCase {
    const char* name;
    std::uint32_t codePage;
    std::string bytes;
    std::string utf8;
};

class MsgCodePage : public testing::TestWithParam<CodePageCase> {};

TEST_P(MsgCodePage, DecodesToUtf8) {
    EXPECT_EQ(codePageToUtf8(GetParam().bytes, GetParam().codePage), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, MsgCodePage,
    testing::Values(CodePageCase{"Windows1252", 1252, "\xC6r\xF8 \x80", "Ærø €"},
                    CodePageCase{"Windows1250", 1250, "\x8A\x9A\xF8", "Ššř"},
                    CodePageCase{"Latin1", 28591, "\xE5\x80", "å\xC2\x80"},
                    CodePageCase{"Latin2", 28592, "\xB1", "ą"},
                    CodePageCase{"Utf8", 65001, "Søren", "Søren"},
                    CodePageCase{"Utf8BrokenSequence", 65001, "S\xC3(", "S\uFFFD("},
                    CodePageCase{"ShiftJis", 932, "\x93\xFA\x96\x7B", "日本"},
                    CodePageCase{"UnknownIsWindows1252", 4242, "\xE6", "æ"},
                    CodePageCase{"EndsAtNul", 1252, std::string("ab\0cd", 5), "ab"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Utf16Case {
    const char* name;
    std::string utf16;
    std::string utf8;
};

class MsgUtf16 : public testing::TestWithParam<Utf16Case> {};

TEST_P(MsgUtf16, DecodesToUtf8) {
    EXPECT_EQ(utf16ToUtf8(GetParam().utf16), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MsgUtf16,
    testing::Values(Utf16Case{"Danish", std::string("\xC6\0\xF8\0\xE5\0", 6), "Æøå"},
                    Utf16Case{"SurrogatePair", std::string("\x3D\xD8\x00\xDE", 4), "😀"},
                    Utf16Case{"LoneHighSurrogate",
                              std::string("\x3D\xD8"
                                          "a\0",
                                          4),
                              "\uFFFDa"},
                    Utf16Case{"LoneLowSurrogate", std::string("\x00\xDE", 2), "\uFFFD"},
                    Utf16Case{"EndsAtNul", std::string("a\0\0\0b\0", 6), "a"},
                    Utf16Case{"OddLastByteDropped", std::string("a\0b", 3), "a"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MsgUtf16, EncodingRoundTripsEveryPlane) {
    const std::string text = "A Æ € 日 😀 \U0010FFFF";
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
    EXPECT_EQ(utf8ToUtf16("😀"), std::string("\x3D\xD8\x00\xDE", 4));
}

TEST(MsgUtf16, InvalidUtf8IsWrittenAsReplacementCharacter) {
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("a\xFF"
                                      "b")),
              "a\uFFFDb");
}

} // namespace
