#include "platform/cp1252.h"
#include "platform/danish_format.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/windows_command_line.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(CodePage, ConvertsBothWaysAndMarksWhatItLacks) {
    struct Case {
        std::string utf8, bytes;
    } const cases[] = {
        {"", ""},
        {"Æ øl og å", "\xC6 \xF8l og \xE5"},
        {"ÆØÅæøå", "\xC6\xD8\xC5\xE6\xF8\xE5"},
        {"€ – “tekst” …", "\x80 \x96 \x93tekst\x94 \x85"},
        {"Š Ž š ž Ÿ", "\x8A \x8E \x9A \x9E \x9F"},
        {"¨¨", "\xA8\xA8"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp1252::fromUtf8(c.utf8), c.bytes) << c.utf8;
        EXPECT_EQ(cp1252::toUtf8(c.bytes), c.utf8) << c.utf8;
    }
    EXPECT_EQ(cp1252::fromUtf8("Ω → 日本"), "? ? ??");
    EXPECT_EQ(cp1252::fromUtf8("a\xFFz\xC3"), "a?z?");
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
}

TEST(LetterCase, FoldsDanishAndLatinLetters) {
    EXPECT_EQ(text::toLower("MAILBCC Æ Ø Å É Ü Š Ÿ"), "mailbcc æ ø å é ü š ÿ");
    EXPECT_EQ(text::toUpper("drev æøå é ÿ ß"), "DREV ÆØÅ É Ÿ ß");
    EXPECT_TRUE(text::equalsIgnoreCase("Software\\LEXITRAY\\Ærø", "software\\lexitray\\ærØ"));
    EXPECT_FALSE(text::equalsIgnoreCase("abc", "abcd"));
    EXPECT_FALSE(text::equalsIgnoreCase("ø", "o"));
    EXPECT_EQ(text::toLower("×÷"), "×÷");
}

TEST(Trim, RemovesSpacesOnly) {
    EXPECT_EQ(text::trimSpaces("  msg  "), "msg");
    EXPECT_EQ(text::trimSpaces("\tmsg "), "\tmsg");
    EXPECT_EQ(text::trimSpaces("   "), "");
}

TEST(DanishFormats, LeaveTheTimeOutAtMidnight) {
    EXPECT_EQ(danish::generalDate({2026, 3, 7, 9, 5, 1}), "07-03-2026 09:05:01");
    EXPECT_EQ(danish::generalDate({2026, 12, 31, 0, 0, 0}), "31-12-2026");
    EXPECT_EQ(danish::generalDate({2026, 12, 31, 0, 0, 1}), "31-12-2026 00:00:01");
    EXPECT_EQ(danish::shortDate({2006, 8, 12, 18, 25, 25}), "12-08-2006");
    EXPECT_EQ(danish::longTime({2006, 8, 12, 18, 25, 25}), "18:25:25");
    EXPECT_EQ(danish::monthName(12), "december");
    EXPECT_EQ(danish::monthName(13), "");
}

TEST(CommandLine, SplitsByTheWorkstationsQuotingRules) {
    struct Case {
        std::string line;
        std::vector<std::string> arguments;
    } const cases[] = {
        {"", {}},
        {R"("C:\Program Files\x.exe" a b)", {R"(C:\Program Files\x.exe)", "a", "b"}},
        {R"(C:\dir\x.exe "a b"  c)", {R"(C:\dir\x.exe)", "a b", "c"}},
        {R"(p a\\\"b)", {"p", R"(a\"b)"}},
        {R"(p a\\"b c")", {"p", R"(a\b c)"}},
        {R"(p a\b\c)", {"p", R"(a\b\c)"}},
        {R"(p "say ""hi""")", {"p", R"(say "hi")"}},
        {"p \"$(rm -rf x); y\"", {"p", "$(rm -rf x); y"}},
        {"p \"\"", {"p", ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(splitWindowsCommandLine(c.line), c.arguments) << c.line;
    }
}

TEST(MessageBox, TheDefaultButtonFollowsTheStyle) {
    using namespace msgbox;
    const std::pair<int, int> cases[] = {
        {OkOnly, Ok},
        {OkCancel | DefaultButton2, Cancel},
        {YesNo | Question, Yes},
        {YesNo | DefaultButton2, No},
        {YesNo | DefaultButton3, Yes},
        {YesNoCancel | DefaultButton3, Cancel},
        {AbortRetryIgnore | DefaultButton2, Retry},
        {RetryCancel | Critical | SystemModal, Retry},
    };
    for (const auto& [style, answer] : cases) {
        EXPECT_EQ(defaultAnswer(style), answer) << style;
    }
}

} // namespace
} // namespace lexi
