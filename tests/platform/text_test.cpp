#include "platform/cp1252.h"
#include "platform/danish_format.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/windows_command_line.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

struct CodePageCase {
    std::string utf8;
    std::string bytes;
};

void PrintTo(const CodePageCase& c, std::ostream* os) {
    *os << c.utf8;
}

class CodePageTest : public ::testing::TestWithParam<CodePageCase> {};

TEST_P(CodePageTest, ConvertsBothWays) {
    EXPECT_EQ(cp1252::fromUtf8(GetParam().utf8), GetParam().bytes);
    EXPECT_EQ(cp1252::toUtf8(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Windows1252, CodePageTest,
                         ::testing::Values(CodePageCase{"", ""}, CodePageCase{"Sag 12", "Sag 12"},
                                           CodePageCase{"Æble, øl og å", "\xC6"
                                                                         "ble, \xF8l og \xE5"},
                                           CodePageCase{"ÆØÅæøå", "\xC6\xD8\xC5\xE6\xF8\xE5"},
                                           CodePageCase{"€ – “citat” …", "\x80 \x96 \x93"
                                                                         "citat\x94 \x85"},
                                           CodePageCase{"Š Ž š ž Ÿ", "\x8A \x8E \x9A \x9E \x9F"},
                                           CodePageCase{"¨¨", "\xA8\xA8"},
                                           CodePageCase{std::string("a\0b", 3),
                                                        std::string("a\0b", 3)}));

TEST(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(cp1252::fromUtf8("Ω → 日本"), "? ? ??");
    EXPECT_EQ(cp1252::fromUtf8("a\xFF"
                               "b\xC3"),
              "a?b?");
}

TEST(CodePage, EveryByteSurvivesARoundTrip) {
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
    EXPECT_EQ(danish::monthName(1), "januar");
    EXPECT_EQ(danish::monthName(12), "december");
    EXPECT_EQ(danish::monthName(13), "");
}

struct SplitCase {
    std::string line;
    std::vector<std::string> arguments;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.line;
}

class CommandLineSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplitTest, FollowsTheWorkstationsQuotingRules) {
    EXPECT_EQ(splitWindowsCommandLine(GetParam().line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CommandLineSplitTest,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"prog", {"prog"}},
                      SplitCase{R"("C:\Program Files\x.exe" a b)",
                                {R"(C:\Program Files\x.exe)", "a", "b"}},
                      SplitCase{R"(C:\dir\x.exe "a b"  c)", {R"(C:\dir\x.exe)", "a b", "c"}},
                      SplitCase{R"(p a\\\"b)", {"p", R"(a\"b)"}},
                      SplitCase{R"(p a\\"b c")", {"p", R"(a\b c)"}},
                      SplitCase{R"(p a\b\c)", {"p", R"(a\b\c)"}},
                      SplitCase{R"(p "say ""hi""")", {"p", R"(say "hi")"}},
                      SplitCase{"p \"$(rm -rf x); y\"", {"p", "$(rm -rf x); y"}},
                      SplitCase{"p \"\"", {"p", ""}}));

struct DefaultCase {
    int style;
    int answer;
};

void PrintTo(const DefaultCase& c, std::ostream* os) {
    *os << c.style;
}

class DefaultButtonTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultButtonTest, FollowsTheStyle) {
    EXPECT_EQ(msgbox::defaultAnswer(GetParam().style), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, DefaultButtonTest,
    ::testing::Values(DefaultCase{msgbox::OkOnly, msgbox::Ok},
                      DefaultCase{msgbox::OkCancel | msgbox::DefaultButton2, msgbox::Cancel},
                      DefaultCase{msgbox::YesNo | msgbox::Question, msgbox::Yes},
                      DefaultCase{msgbox::YesNo | msgbox::DefaultButton2, msgbox::No},
                      DefaultCase{msgbox::YesNo | msgbox::DefaultButton3, msgbox::Yes},
                      DefaultCase{msgbox::YesNoCancel | msgbox::DefaultButton3, msgbox::Cancel},
                      DefaultCase{msgbox::AbortRetryIgnore | msgbox::DefaultButton2, msgbox::Retry},
                      DefaultCase{msgbox::RetryCancel | msgbox::Critical | msgbox::SystemModal,
                                  msgbox::Retry}));

} // namespace
} // namespace lexi
