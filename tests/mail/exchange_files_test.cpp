#include "mail/exchange_files.h"
#include "mail/md_repository.h"
#include "mail/search_bound.h"
#include "tests/mail/mail_fixture.h"

namespace lexi {
namespace {

using testing::DocumentId;
using Lines = std::vector<std::string>;

struct RecipientsCase {
    std::string name;
    std::string file;
    Lines recipients;
    Lines subjects;
};

class RecipientsFileTest : public ::testing::TestWithParam<RecipientsCase> {};

TEST_P(RecipientsFileTest, SeparatesRecipientsFromTheSubject) {
    const exchange::MailRequest request = exchange::parseRecipients(GetParam().file);
    EXPECT_EQ(request.recipients, GetParam().recipients);
    EXPECT_EQ(request.subjects, GetParam().subjects);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RecipientsFileTest,
    ::testing::Values(
        RecipientsCase{"OnlyASubjectInCapitals", "[SUBJECT]=Sag 123\r\n", {}, {"Sag 123"}},
        RecipientsCase{"EverySubjectInOrder",
                       "[subject]=første\r\n[Subject]=anden\r\n",
                       {},
                       {"første", "anden"}},
        RecipientsCase{"AnEmptySubject", "[subject]=\r\n", {}, {""}},
        RecipientsCase{
            "RecipientsInOrderEmptyLinesSkipped", "a\r\n\r\nb;c\r\nd", {"a", "b;c", "d"}, {}},
        RecipientsCase{"APrefixTooShortIsARecipient", "[subject]\r\n", {"[subject]"}, {}},
        RecipientsCase{"ALoneCarriageReturnEndsALine", "a\rb\r\n", {"a", "b"}, {}}),
    [](const auto& info) { return info.param.name; });

TEST(CaseData, SplitsAtCarriageReturnLineFeedPairsOnly) {
    EXPECT_EQ(exchange::splitCaseData("a\r\nb\nc\r\n"), (Lines{"a", "b\nc", ""}));
    EXPECT_EQ(exchange::callbackFileName(DocumentId), "Mail_" + DocumentId + ".txt");
}

struct BoundCase {
    LocalDateTime now;
    std::string filter;
};
void PrintTo(const BoundCase& c, std::ostream* os) {
    *os << c.filter;
}

class SearchBoundTest : public ::testing::TestWithParam<BoundCase> {};

TEST_P(SearchBoundTest, LiesFifteenMinutesBack) {
    EXPECT_EQ(searchBoundFilter(GetParam().now), GetParam().filter);
}

INSTANTIATE_TEST_SUITE_P(
    Times, SearchBoundTest,
    ::testing::Values(BoundCase{{2026, 12, 5, 10, 5, 0}, "[SentOn] > '05-12-2026 9:50'"},
                      BoundCase{{2026, 12, 5, 10, 17, 0}, "[SentOn] > '05-12-2026 10:2'"},
                      BoundCase{{2026, 12, 5, 9, 15, 59}, "[SentOn] > '05-12-2026 09:0'"},
                      BoundCase{{2026, 12, 5, 0, 5, 0}, "[SentOn] > '04-12-2026 23:50'"},
                      BoundCase{{2027, 1, 1, 0, 14, 0}, "[SentOn] > '31-12-2026 23:59'"}));

class CallbackTest : public testing::MailFixture {
protected:
    std::string callback(const std::string& id) {
        return testing::readHostFile(host("Mail_" + id + ".txt"));
    }
    mdRepository repository{context};
};

TEST_F(CallbackTest, WritesTheIdAndTheChoiceAndReplacesAnOldFile) {
    repository.SkrivCallback(DocumentId, false);
    EXPECT_EQ(callback(DocumentId), DocumentId + "\r\n0\r\n");
    repository.SkrivCallback(DocumentId, true);
    EXPECT_EQ(callback(DocumentId), DocumentId + "\r\n1\r\n");
    EXPECT_EQ(logLines(), (Lines{"Ignore file", "Import file"}));
    EXPECT_FALSE(std::filesystem::exists(host("Mail_" + DocumentId + ".txt.tmp")));
}

TEST_F(CallbackTest, GoesToTheStartupFolderNotTheExchangeFolder) {
    program.startupLocalFolder = "C:\\Sager\\";
    repository.SkrivCallback(DocumentId, true);
    EXPECT_TRUE(std::filesystem::exists(host("Sager/Mail_" + DocumentId + ".txt")));
    EXPECT_FALSE(std::filesystem::exists(host("Udveksling/Mail_" + DocumentId + ".txt")));
}

TEST_F(CallbackTest, WritesNothingForAnAbsentDocumentId) {
    for (const std::string& id :
         {std::string(), std::string("{00000000-0000-0000-0000-000000000000}"),
          DocumentId.substr(1, 36)}) {
        repository.SkrivCallback(id, true);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(host("")),
                            std::filesystem::directory_iterator()),
              2)
        << "only Udveksling and Sager: no callback, no log";
}

TEST_F(CallbackTest, FailsSilentlyWithoutItsFolder) {
    program.startupLocalFolder = "C:\\Mangler\\";
    EXPECT_NO_THROW(repository.SkrivCallback(DocumentId, true));
    EXPECT_TRUE(ui.records.empty());
}

class CaseDataTest : public testing::MailFixture {
protected:
    mdMail post{context};
};

TEST_F(CaseDataTest, WithoutADocumentIdTheSavePathIsBuiltAndTheFolderMade) {
    writeCaseData("Brev", "");
    program.DocumentID = DocumentId;
    post.GemPaaSag();
    EXPECT_EQ(state.GemmeSti, "C:\\Sager\\Klient\\0001\\Brev.msg");
    EXPECT_EQ(program.DocumentID, "");
    EXPECT_TRUE(std::filesystem::is_directory(host("Sager/Klient/0001")));
    EXPECT_EQ(post.HentSagsnummer(), "0001");
}

TEST_F(CaseDataTest, WithADocumentIdLine4IsTheWholePath) {
    writeCaseData("C:\\Andet\\Svar.msg", DocumentId);
    post.GemPaaSag();
    EXPECT_EQ(state.GemmeSti, "C:\\Andet\\Svar.msg");
    EXPECT_EQ(program.DocumentID, DocumentId);
    EXPECT_FALSE(std::filesystem::exists(host("Sager/Klient/0001")));
}

TEST_F(CaseDataTest, ReportsAMissingFileAndKeepsTheValues) {
    state.GemmeSti = "før";
    post.GemPaaSag();
    EXPECT_EQ(state.GemmeSti, "før");
    EXPECT_EQ(ui.messages(),
              Lines{"Lexitray|16|Filen C:\\Udveksling\\tmp.txt kunne ikke findes. Dette er en "
                    "alvorlig fejl."});
    EXPECT_EQ(post.HentSagsnummer(), "");
    EXPECT_TRUE(logHas("Filen tmp.txt blev ikke fundet!"));
}

TEST_F(CaseDataTest, ReportsAShortFileAndAMissingParentFolder) {
    writeExchangeFile("tmp.txt", "C:\\Sager\r\nKlient\r\n0001\r\nBrev\r\n");
    post.GemPaaSag();
    writeExchangeFile("tmp.txt", "C:\\Mangler\r\nKlient\r\n0001\r\nBrev\r\n\r\n\r\n\r\n");
    post.GemPaaSag();
    EXPECT_EQ(ui.messages(), (Lines{"Lexitray|0|Fejl i Gempaasag: Subscript out of range",
                                    "Lexitray|0|Fejl i Gempaasag: Path not found"}));
    // The save path set before the failure stays.
    EXPECT_EQ(state.GemmeSti, "C:\\Mangler\\Klient\\0001\\Brev.msg");
    // The case number is the third line: a file of two ends before it.
    writeExchangeFile("tmp.txt", "C:\\Sager\r\nKlient\r\n");
    EXPECT_EQ(post.HentSagsnummer(), "");
    EXPECT_EQ(ui.messages().back(), "Lexitray|0|Fejl i hentsagsnummer: Input past end of file");
}

struct BaseNameCase {
    std::string path;
    std::string name;
};
void PrintTo(const BaseNameCase& c, std::ostream* os) {
    *os << c.path;
}

class BaseNameTest : public testing::MailFixture,
                     public ::testing::WithParamInterface<BaseNameCase> {};

TEST_P(BaseNameTest, NamesTheAttachment) {
    mdMail post(context);
    EXPECT_EQ(post.GetFileBaseName(GetParam().path), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, BaseNameTest,
    ::testing::Values(BaseNameCase{"C:\\Sager\\Brev.MSG", "Brev"},
                      BaseNameCase{"C:\\Sager\\Brev.pdf", "Brev.pdf"}, BaseNameCase{"Brev.pdf", ""},
                      BaseNameCase{"C:\\Sager\\Svar på brev.msg", "Svar på brev"},
                      BaseNameCase{"C:\\Sager\\", ""}));

} // namespace
} // namespace lexi
