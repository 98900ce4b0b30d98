#include "platform/cp1252.h"
#include "platform/danish_format.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/windows_command_line.h"
#include "platform/windows_path.h"

#include <array>
#include <gtest/gtest.h>
#include <numeric>

namespace lexi {
namespace {

using namespace std::string_literals;

TEST(Text, ConvertsTheCodePageBothWaysFoldsLetterCaseAndTrimsSpaces) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"Æ øl og å", "\xC6 \xF8l og \xE5"}, {"a\0b"s, "a\0b"s},
        {"€ – “tekst” …", "\x80 \x96 \x93tekst\x94 \x85"},
    };
    // clang-format on
    for (const auto& [utf8, bytes] : cases) {
        EXPECT_EQ(cp1252::fromUtf8(utf8), bytes) << utf8;
        EXPECT_EQ(cp1252::toUtf8(bytes), utf8) << utf8;
    }
    EXPECT_EQ(cp1252::fromUtf8("Ω → 日本 a\xFFz\xC3"), "? ? ?? a?z?");
    std::string all(256, '\0');
    std::iota(all.begin(), all.end(), '\0');
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
    // Letter case folds Danish and Latin letters; trimming takes spaces only.
    EXPECT_EQ(text::toLower("MAILBCC Æ Ø Å É Ü Š Ÿ ×÷"), "mailbcc æ ø å é ü š ÿ ×÷");
    EXPECT_EQ(text::toUpper("drev æøå é ÿ ß"), "DREV ÆØÅ É Ÿ ß");
    EXPECT_TRUE(text::equalsIgnoreCase("Software\\LEXITRAY\\Ærø", "software\\lexitray\\ærØ"));
    EXPECT_FALSE(text::equalsIgnoreCase("abc", "abcd") || text::equalsIgnoreCase("ø", "o"));
    EXPECT_EQ(std::string(text::trimSpaces("  msg  ")) += text::trimSpaces("\tmsg "), "msg\tmsg");
    EXPECT_EQ(text::trimSpaces("   "), "");
}

TEST(DanishFormats, LeaveTheTimeOutAtMidnight) {
    EXPECT_EQ(danish::generalDate({2026, 3, 7, 9, 5, 1}), "07-03-2026 09:05:01");
    EXPECT_EQ(danish::generalDate({2026, 12, 31, 0, 0, 0}), "31-12-2026");
    EXPECT_EQ(danish::generalDate({2026, 12, 31, 0, 0, 1}), "31-12-2026 00:00:01");
    EXPECT_EQ(danish::shortDate({2006, 8, 12, 18, 25, 25}), "12-08-2006");
    EXPECT_EQ(danish::longTime({2006, 8, 12, 18, 25, 25}), "18:25:25");
    EXPECT_EQ(std::string(danish::monthName(12)).append(danish::monthName(13)), "december");
}

// Dates the host passes as text, as the library's date parameters take them.
TEST(DanishFormats, ADateTextIsTakenWholeOrNotAtAll) {
    const std::pair<const char*, std::optional<LocalDateTime>> cases[] = {
        {" 24-12-2026 ", LocalDateTime{2026, 12, 24, 0, 0, 0}},
        {"1-2-2026 9:05", LocalDateTime{2026, 2, 1, 9, 5, 0}},
        {"31-12-2026 14:30:59", LocalDateTime{2026, 12, 31, 14, 30, 59}},
        {"29-2-2026", std::nullopt},
        {"24-12-26", std::nullopt},
        {"24-12-2026 14", std::nullopt},
        {"24-12-2026 24:00", std::nullopt},
        {"24-12-2026x", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(danish::parseDate(text), expected) << text;
    }
}

TEST(CommandLine, SplitsByTheWorkstationsQuotingRules) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        // clang-format off
        {"", {}}, {R"(p a\\\"b)", {"p", R"(a\"b)"}}, {R"(p a\\"b c")", {"p", R"(a\b c)"}},
        {R"(p a\b\c)", {"p", R"(a\b\c)"}}, {R"(p "say ""hi""")", {"p", R"(say "hi")"}},
        {R"("C:\Program Files\x.exe" a b)", {R"(C:\Program Files\x.exe)", "a", "b"}},
        {R"(C:\dir\x.exe "a b"  c)", {R"(C:\dir\x.exe)", "a b", "c"}},
        {"p \"$(rm -rf x); y\"", {"p", "$(rm -rf x); y"}}, {"p \"\"", {"p", ""}},
        // clang-format on
    };
    for (const auto& [line, arguments] : cases) {
        EXPECT_EQ(splitWindowsCommandLine(line), arguments) << line;
    }
    // The argument text as the program takes it whole.
    const std::pair<std::string, std::string> texts[] = {
        {"", ""},
        {"lexitray.exe", ""},
        {"lexitray.exe  \tmailbcc ", "mailbcc "},
        {R"("C:\Program Files\lexitray.exe" "C:\a b.docx" open)", R"("C:\a b.docx" open)"},
    };
    for (const auto& [line, text] : texts) {
        EXPECT_EQ(argumentText(line), text) << line;
    }
}

TEST(PathParts, SplitAtTheLastSeparatorAndTheLastDotOfTheName) {
    // clang-format off
    const std::array<std::string_view, 4> cases[] = {
        // path, folder, name, extension
        {"C:\\Sager\\brev.docx", "C:\\Sager\\", "brev.docx", "docx"},
        {"C:/a.b/c", "C:/a.b/", "c", ""}, {"a\\b/c.tar.gz", "a\\b/", "c.tar.gz", "gz"},
        {"brev.", "", "brev.", ""}, {"", "", "", ""}, {"C:\\", "C:\\", "", ""},
    };
    // clang-format on
    for (const auto& [path, folder, name, extension] : cases) {
        EXPECT_EQ(folderPart(path), folder) << path;
        EXPECT_EQ(fileNamePart(path), name) << path;
        EXPECT_EQ(extensionPart(path), extension) << path;
    }
}

TEST(MessageBox, TheDefaultButtonFollowsTheStyle) {
    using namespace msgbox;
    // clang-format off
    const std::pair<int, int> cases[] = {
        {OkOnly, Ok},                  {YesNo | Question, Yes},
        {YesNo | DefaultButton2, No},  {YesNo | DefaultButton3, Yes},
        {YesNoCancel | DefaultButton3, Cancel}, {RetryCancel | Critical | SystemModal, Retry},
    };
    // clang-format on
    for (const auto& [style, answer] : cases) {
        EXPECT_EQ(defaultAnswer(style), answer) << style;
    }
}

} // namespace
} // namespace lexi
