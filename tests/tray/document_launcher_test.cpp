#include "tests/mail/mail_fixture.h"
#include "tests/msgfile/sample_files.h"
#include "tray/document_launcher.h"
#include "tray/startup.h"

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
    EXPECT_EQ(logLines().at(0), "Åbner dokumentet: C:\\Sager\\brev.docx  med kommandoen open");
    const auto& opened = shell.requests.at(0);
    EXPECT_EQ(opened.verb + "|" + opened.file + "|" + opened.parameters + "|" +
                  opened.workingFolder,
              "open|C:\\Sager\\brev.docx ||C:\\Udveksling\\");
    std::string modes;
    for (const std::string verb : {"open", "print", "Print", "PRINT", "printto"}) {
        open("C:\\Sager\\brev.docx", verb);
        modes += verb + (shell.requests.back().mode == ShowMode::Hidden ? " hidden " : " max ");
    }
    EXPECT_EQ(modes, "open max print hidden Print hidden PRINT hidden printto max ");
    EXPECT_TRUE(ui.records.empty());
}

// The merge and print engine prints through the launcher, which the
// program's frame hands to the features below it.
TEST_F(DocumentLauncherTest, TheFrameHandsItsStartProgramToTheFeaturesBelow) {
    const Startup startup(platform, program, log);
    EXPECT_EQ(program.StartProgram("C:\\Sager\\tal.xlsx", "Print"), 42);
    EXPECT_EQ(shell.requests.at(0).mode, ShowMode::Hidden);
}

TEST_F(DocumentLauncherTest, AShellRefusalShowsAndLogsTheReasonThenTheUsage) {
    // The shell's answer and the reason told; codes above 32 are no refusal.
    const std::pair<int, std::string> cases[] = {{2, "Filen 'C:\\Sager\\brev.docx ' ikke fundet!"},
                                                 {32, ".DLL ikke fundet"},
                                                 {4, "Der er sket en fejl!4"},
                                                 {33, ""},
                                                 {0, ""}};
    for (const auto& [code, reason] : cases) {
        ui.records.clear();
        shell.answer = code;
        EXPECT_EQ(open("C:\\Sager\\brev.docx ", "open"), code);
        const std::string logged = logLines().back();
        EXPECT_EQ(logged.starts_with("Der skete en fejl: ") ? logged.substr(19) : "", reason);
        EXPECT_EQ(ui.messages(),
                  (reason.empty() ? Lines{}
                                  : Lines{"Lexitray|0|" + reason,
                                          "Lexitray|64|Lexitray er blevet kaldt med forkert "
                                          "syntaks. Mulighederne er:\rLEXITRAY <DOKUMENT> "
                                          "<DDEKommando>\rLEXITRAY MAIL\rLEXITRAY "
                                          "drev=<lokaldrev>\rLEXITRAY"}))
            << code;
    }
}

// The saved mails Outlook itself wrote: a sent one is reported twice, then
// shown; an unsent draft is reopened and sent.
TEST_F(DocumentLauncherTest, RealSavedMails) {
    SKIP_WITHOUT_SAMPLES();
    for (const std::string name : {"simple-sent.msg", "unsent-draft.msg"}) {
        std::filesystem::copy_file(samplePath(name), host("Sager/" + name));
    }
    const auto callback = host("Mail_" + DocumentId + ".txt");
    // The extension and the name match without regard to letter case; the
    // command line leaves a trailing space.
    EXPECT_EQ(open("C:\\Sager\\Simple-Sent.MSG ", "open", DocumentId), 42);
    EXPECT_EQ(testing::readHostFile(callback), DocumentId + "\r\n0\r\n");
    EXPECT_TRUE(logHas("Ignore file\nProcedure StartProgram Mail is  sent\nIgnore file"));
    windows.users.push_back(fake::ScriptedOutlookWindows::sends());
    EXPECT_EQ(open("C:\\Sager\\unsent-draft.msg ", "open", DocumentId), 0);
    EXPECT_EQ(shell.requests.size() + windows.shown.size(), 2U) << "each shown once";
    EXPECT_TRUE(logHas("Procedure StartProgram Mail is not sent"));
    EXPECT_EQ(testing::readHostFile(callback), DocumentId + "\r\n1\r\n");
}

} // namespace
} // namespace lexi
