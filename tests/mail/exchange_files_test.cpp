#include "mail/exchange_files.h"
#include "mail/md_repository.h"
#include "mail/search_bound.h"
#include "tests/mail/mail_fixture.h"

namespace lexi {
namespace {

using testing::DocumentId;
using Lines = std::vector<std::string>;

TEST(ExchangeFiles, ParseRecipientsSubjectsAndCaseData) {
    // The file's text, its recipients, its subjects.
    const std::tuple<std::string, Lines, Lines> cases[] = {
        {"[SUBJECT]=Sag 123\r\n", {}, {"Sag 123"}},
        {"[subject]=første\r\n[Subject]=anden\r\n", {}, {"første", "anden"}},
        {"[subject]=\r\n", {}, {""}},
        {"a\r\n\r\nb;c\r\nd", {"a", "b;c", "d"}, {}},
        {"[subject]\r\n", {"[subject]"}, {}},
        {"a\rb\r\n", {"a", "b"}, {}},
    };
    for (const auto& [file, recipients, subjects] : cases) {
        const exchange::MailRequest request = exchange::parseRecipients(file);
        EXPECT_EQ(std::tie(request.recipients, request.subjects), std::tie(recipients, subjects))
            << file;
    }
    EXPECT_EQ(exchange::splitCaseData("a\r\nb\nc\r\n"), (Lines{"a", "b\nc", ""}));
}

TEST(SearchBound, LiesFifteenMinutesBack) {
    const std::pair<LocalDateTime, std::string> cases[] = {
        {{2026, 12, 5, 10, 5, 0}, "[SentOn] > '05-12-2026 9:50'"},
        {{2026, 12, 5, 10, 17, 0}, "[SentOn] > '05-12-2026 10:2'"},
        {{2026, 12, 5, 9, 15, 59}, "[SentOn] > '05-12-2026 09:0'"},
        {{2026, 12, 5, 0, 5, 0}, "[SentOn] > '04-12-2026 23:50'"},
        {{2027, 1, 1, 0, 14, 0}, "[SentOn] > '31-12-2026 23:59'"},
    };
    for (const auto& [now, filter] : cases) {
        EXPECT_EQ(searchBoundFilter(now), filter);
    }
}

using CallbackTest = testing::MailFixture;

TEST_F(CallbackTest, WritesTheIdAndTheChoiceToTheStartupFolderForADocumentIdOnly) {
    mdRepository repository{context};
    for (const std::string& id :
         Lines{"", "{00000000-0000-0000-0000-000000000000}", DocumentId.substr(1, 36)}) {
        repository.SkrivCallback(id, true);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(host("")), {}), 2)
        << "only Udveksling and Sager: no callback, no log";
    repository.SkrivCallback(DocumentId, false);
    EXPECT_EQ(callback(), DocumentId + "\r\n0\r\n");
    repository.SkrivCallback(DocumentId, true);
    EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
    EXPECT_EQ(logLines(), (Lines{"Ignore file", "Import file"}));
    EXPECT_FALSE(std::filesystem::exists(host("Mail_" + DocumentId + ".txt.tmp")));
    // A missing folder fails silently.
    program.startupLocalFolder = "C:\\Mangler\\";
    EXPECT_NO_THROW(repository.SkrivCallback(DocumentId, true));
    EXPECT_TRUE(ui.records.empty());
}

using CaseDataTest = testing::MailFixture;

TEST_F(CaseDataTest, ReportsAMissingOrShortFileAndAMissingParentFolder) {
    mdMail post(context);
    state.GemmeSti = "før";
    post.GemPaaSag();
    EXPECT_EQ(state.GemmeSti, "før");
    EXPECT_EQ(post.HentSagsnummer(), "");
    writeExchangeFile("tmp.txt", "C:\\Sager\r\nKlient\r\n0001\r\nBrev\r\n");
    post.GemPaaSag();
    writeExchangeFile("tmp.txt", "C:\\Mangler\r\nKlient\r\n0001\r\nBrev\r\n\r\n\r\n\r\n");
    post.GemPaaSag();
    // The save path set before the failure stays.
    EXPECT_EQ(state.GemmeSti, "C:\\Mangler\\Klient\\0001\\Brev.msg");
    // The case number is the third line: a file of two ends before it.
    writeExchangeFile("tmp.txt", "C:\\Sager\r\nKlient\r\n");
    EXPECT_EQ(post.HentSagsnummer(), "");
    EXPECT_EQ(ui.messages(),
              (Lines{"Lexitray|16|Filen C:\\Udveksling\\tmp.txt kunne ikke findes. Dette er en "
                     "alvorlig fejl.",
                     "Lexitray|0|Fejl i Gempaasag: Subscript out of range",
                     "Lexitray|0|Fejl i Gempaasag: Path not found",
                     "Lexitray|0|Fejl i hentsagsnummer: Input past end of file"}));
    EXPECT_TRUE(logHas("Filen tmp.txt blev ikke fundet!"));
}

TEST_F(CaseDataTest, TheBaseNameNamesTheAttachment) {
    mdMail post(context);
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Sager\\Brev.MSG", "Brev"},
        {"C:\\Sager\\Brev.pdf", "Brev.pdf"},
        {"Brev.pdf", ""},
        {"C:\\Sager\\Svar på brev.msg", "Svar på brev"},
        {"C:\\Sager\\", ""}};
    for (const auto& [path, name] : cases) {
        EXPECT_EQ(post.GetFileBaseName(path), name) << path;
    }
}

} // namespace
} // namespace lexi
