#include "tests/mail/mail_fixture.h"
#include "tray/document_launcher.h"

namespace lexi {
namespace {

using testing::DocumentId;
using Lines = std::vector<std::string>;

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

TEST_F(DocumentLauncherTest, HandsTheDocumentToTheShellMaximisedOrHiddenToPrint) {
    EXPECT_EQ(open("C:\\Sager\\brev.docx ", "open", DocumentId), 42);
    EXPECT_EQ(logLines(), (Lines{"Åbner dokumentet: C:\\Sager\\brev.docx  med kommandoen open",
                                 "Starting procedure StartProgram with parameters Dokument "
                                 "C:\\Sager\\brev.docx DDEKommando openDocumentId " +
                                     DocumentId,
                                 "StartProgram Procedure in Videre"}));
    for (const char* verb : {"print", "Print", "PRINT", "printto"}) {
        open("C:\\Sager\\brev.docx", verb);
    }
    ASSERT_EQ(shell.requests.size(), 5U);
    const auto& opened = shell.requests[0];
    EXPECT_EQ(opened.verb + "|" + opened.file + "|" + opened.parameters + "|" +
                  opened.workingFolder,
              "open|C:\\Sager\\brev.docx ||C:\\Udveksling\\");
    const ShowMode modes[] = {ShowMode::Maximized, ShowMode::Hidden, ShowMode::Hidden,
                              ShowMode::Hidden, ShowMode::Maximized};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(shell.requests[i].mode, modes[i]) << i;
    }
    EXPECT_TRUE(ui.records.empty());
}

TEST_F(DocumentLauncherTest, AShellRefusalShowsTheReasonThenTheUsage) {
    const std::pair<int, std::string> cases[] = {
        {2, "Filen 'C:\\Sager\\brev.docx ' ikke fundet!"},
        {3, "Bibliotekssti ikke fundet!"},
        {5, "Adgang nægtet!"},
        {8, "Der er ikke nok hukommelse til at åbne filen!"},
        {11, "Defekt esekverbar fil!"},
        {26, "Filen er allerede i brug!"},
        {27, "Filtypens association er forkert!"},
        {28, "DDE Time out"},
        {29, "DDE overførsel fejlede"},
        {30, "DDE er allerede optaget"},
        {31, "Ukendt filtype"},
        {32, ".DLL ikke fundet"},
        {1, "Der er sket en fejl!1"},
        {4, "Der er sket en fejl!4"},
        {0, ""},
    };
    for (const auto& [code, message] : cases) {
        ui.records.clear();
        shell.answer = code;
        EXPECT_EQ(open("C:\\Sager\\brev.docx ", "open"), code);
        const Lines shown = message.empty() ? Lines{}
                                            : Lines{"Lexitray|0|" + message,
                                                    "Lexitray|64|Lexitray er blevet kaldt med "
                                                    "forkert syntaks. Mulighederne er:\r"
                                                    "LEXITRAY <DOKUMENT> <DDEKommando>\r"
                                                    "LEXITRAY MAIL\rLEXITRAY drev=<lokaldrev>\r"
                                                    "LEXITRAY"};
        EXPECT_EQ(ui.messages(), shown) << code;
        if (!message.empty()) {
            EXPECT_EQ(logLines().back(), "Der skete en fejl: " + message);
        }
    }
}

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
    std::string callback() { return testing::readHostFile(host("Mail_" + DocumentId + ".txt")); }
};

TEST_F(RealSavedMailTest, ASentMailIsReportedTwiceThenShown) {
    // The extension and the name match without regard to letter case.
    sample("simple-sent.msg");
    EXPECT_EQ(open("C:\\Sager\\Simple-Sent.MSG ", "open", DocumentId), 42);
    EXPECT_EQ(callback(), DocumentId + "\r\n0\r\n");
    const Lines lines = logLines();
    const auto at = std::find(lines.begin(), lines.end(), "Procedure StartProgram Mail is  sent");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at - 1), "Ignore file");
    EXPECT_EQ(*(at + 1), "Ignore file");
    EXPECT_EQ(shell.requests.size(), 1U);
}

TEST_F(RealSavedMailTest, AnUnsentDraftIsReopenedAndSent) {
    windows.users.push_back(fake::ScriptedOutlookWindows::sends());
    EXPECT_EQ(open(sample("unsent-draft.msg"), "open", DocumentId), 0);
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_TRUE(logHas("Procedure StartProgram Mail is not sent"));
    ASSERT_EQ(windows.shown.size(), 1U);
    EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
    EXPECT_EQ(app().createItemFromTemplate("C:\\Sager\\unsent-draft.msg")->sentOn(),
              (LocalDateTime{2026, 12, 5, 14, 5, 33}));
}

} // namespace
} // namespace lexi
