#include "tests/mail/mail_fixture.h"
#include "tray/document_launcher.h"

namespace lexi {
namespace {

using testing::DocumentId;
using Lines = std::vector<std::string>;

const std::string Usage = "Lexitray|64|Lexitray er blevet kaldt med forkert syntaks. Mulighederne "
                          "er:\rLEXITRAY <DOKUMENT> <DDEKommando>\rLEXITRAY MAIL\rLEXITRAY "
                          "drev=<lokaldrev>\rLEXITRAY";

class DocumentLauncherTest : public testing::MailFixture {
protected:
    int open(const std::string& document, const std::string& verb, const std::string& id = "") {
        program.Dokument = document;
        program.DDEKommando = verb;
        program.DocumentID = id;
        return launcher.ÅbnDok();
    }

    DocumentLauncher launcher{context};
};

TEST_F(DocumentLauncherTest, HandsTheDocumentToTheShellSilently) {
    EXPECT_EQ(open("C:\\Sager\\brev.docx ", "open", DocumentId), 42);
    ASSERT_EQ(shell.requests.size(), 1U);
    EXPECT_EQ(shell.requests[0].verb, "open");
    EXPECT_EQ(shell.requests[0].file, "C:\\Sager\\brev.docx ");
    EXPECT_EQ(shell.requests[0].parameters, "");
    EXPECT_EQ(shell.requests[0].workingFolder, "C:\\Udveksling\\");
    EXPECT_EQ(shell.requests[0].mode, ShowMode::Maximized);
    EXPECT_TRUE(ui.records.empty());
    EXPECT_EQ(
        logLines(),
        (Lines{"Åbner dokumentet: C:\\Sager\\brev.docx  med kommandoen open",
               "Starting procedure StartProgram with parameters Dokument C:\\Sager\\brev.docx "
               "DDEKommando openDocumentId " +
                   DocumentId,
               "StartProgram Procedure in Videre"}));
}

TEST_F(DocumentLauncherTest, PrintsHidden) {
    for (const char* verb : {"print", "Print", "PRINT", "printto"}) {
        open("C:\\Sager\\brev.docx", verb);
    }
    ASSERT_EQ(shell.requests.size(), 4U);
    EXPECT_EQ(shell.requests[0].mode, ShowMode::Hidden);
    EXPECT_EQ(shell.requests[1].mode, ShowMode::Hidden);
    EXPECT_EQ(shell.requests[2].mode, ShowMode::Hidden);
    EXPECT_EQ(shell.requests[3].mode, ShowMode::Maximized);
}

struct RefusalCase {
    int code;
    std::string message;
};
void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.code;
}

class ShellRefusalTest : public DocumentLauncherTest,
                         public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ShellRefusalTest, ShowsTheReasonThenTheUsage) {
    shell.answer = GetParam().code;
    EXPECT_EQ(open("C:\\Sager\\brev.docx ", "open"), GetParam().code);
    EXPECT_EQ(ui.messages(), (Lines{"Lexitray|0|" + GetParam().message, Usage}));
    EXPECT_EQ(logLines().back(), "Der skete en fejl: " + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ShellRefusalTest,
    ::testing::Values(
        RefusalCase{2, "Filen 'C:\\Sager\\brev.docx ' ikke fundet!"},
        RefusalCase{3, "Bibliotekssti ikke fundet!"}, RefusalCase{5, "Adgang nægtet!"},
        RefusalCase{8, "Der er ikke nok hukommelse til at åbne filen!"},
        RefusalCase{11, "Defekt esekverbar fil!"}, RefusalCase{26, "Filen er allerede i brug!"},
        RefusalCase{27, "Filtypens association er forkert!"}, RefusalCase{28, "DDE Time out"},
        RefusalCase{29, "DDE overførsel fejlede"}, RefusalCase{30, "DDE er allerede optaget"},
        RefusalCase{31, "Ukendt filtype"}, RefusalCase{32, ".DLL ikke fundet"},
        RefusalCase{1, "Der er sket en fejl!1"}, RefusalCase{4, "Der er sket en fejl!4"}));

TEST_F(DocumentLauncherTest, ResultZeroShowsNothing) {
    shell.answer = 0;
    EXPECT_EQ(open("C:\\Sager\\brev.docx", "open"), 0);
    EXPECT_TRUE(ui.records.empty());
}

TEST_F(DocumentLauncherTest, ASentMailIsReportedTwiceThenShown) {
    const ItemPtr mail = app().createItem(outlook::MailItem);
    windows.users.push_back(fake::ScriptedOutlookWindows::sends());
    mail->display(true);
    folderItems(outlook::FolderSentItems).item(1)->saveAs("C:\\Sager\\Svar.msg");
    EXPECT_EQ(open("C:\\Sager\\svar.MSG ", "open", DocumentId), 42);
    EXPECT_EQ(testing::readHostFile(host("Mail_" + DocumentId + ".txt")), DocumentId + "\r\n0\r\n");
    const Lines lines = logLines();
    const auto at = std::find(lines.begin(), lines.end(), "Procedure StartProgram Mail is  sent");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at - 1), "Ignore file");
    EXPECT_EQ(*(at + 1), "Ignore file");
    EXPECT_EQ(shell.requests.size(), 1U);
}

TEST_F(DocumentLauncherTest, AnUnsentMailIsReopenedForSending) {
    const ItemPtr draft = app().createItem(outlook::MailItem);
    draft->setSubject("Udkast");
    draft->saveAs("C:\\Sager\\Udkast.msg");
    windows.users.push_back(fake::ScriptedOutlookWindows::sends());
    EXPECT_EQ(open("C:\\Sager\\Udkast.msg", "open"), 0);
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_TRUE(logHas("Procedure StartProgram Mail is not sent"));
    EXPECT_EQ(windows.shown.at(0).subject, "Udkast");
    EXPECT_EQ(app().createItemFromTemplate("C:\\Sager\\Udkast.msg")->sentOn(),
              (LocalDateTime{2026, 12, 5, 14, 5, 33}));
}

} // namespace
} // namespace lexi

namespace lexi {
namespace {

// The saved mails Outlook itself wrote.
class RealSavedMailTest : public DocumentLauncherTest {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::filesystem::path(LEXITRAY_SHARED_DIR) / "testdata")) {
            GTEST_SKIP() << "the sample mails of ../shared/testdata are not here";
        }
    }
    // The sample as a path of drive C:, with a trailing space as the
    // command line leaves it.
    std::string sample(const std::string& name) {
        std::filesystem::copy_file(std::filesystem::path(LEXITRAY_SHARED_DIR) / "testdata" / "msg" /
                                       name,
                                   host("Sager/" + name));
        return "C:\\Sager\\" + name + " ";
    }
};

TEST_F(RealSavedMailTest, ASentSampleIsReportedAndShown) {
    EXPECT_EQ(open(sample("simple-sent.msg"), "open", DocumentId), 42);
    EXPECT_EQ(testing::readHostFile(host("Mail_" + DocumentId + ".txt")), DocumentId + "\r\n0\r\n");
    EXPECT_TRUE(logHas("Det er en gemt og afsendt mail"));
    EXPECT_EQ(shell.requests.size(), 1U);
}

TEST_F(RealSavedMailTest, TheUnsentDraftIsReopenedAndSent) {
    windows.users.push_back(fake::ScriptedOutlookWindows::sends());
    EXPECT_EQ(open(sample("unsent-draft.msg"), "open", DocumentId), 0);
    EXPECT_TRUE(shell.requests.empty());
    ASSERT_EQ(windows.shown.size(), 1U);
    EXPECT_EQ(testing::readHostFile(host("Mail_" + DocumentId + ".txt")), DocumentId + "\r\n1\r\n");
    EXPECT_EQ(app().createItemFromTemplate("C:\\Sager\\unsent-draft.msg")->sentOn(),
              (LocalDateTime{2026, 12, 5, 14, 5, 33}));
}

} // namespace
} // namespace lexi
