// Runs the real lexitray for mail and document requests in a fresh home,
// with exchange files and the scripted UI, and checks what it leaves: the
// saved mail, the callback file, the run log, the transcript.

#include "platform/cp1252.h"
#include "platform/posix/msgfile/message_file.h"
#include "platform/script/scripted_ui.h"
#include "tests/support/log_lines.h"
#include "tests/support/run_program.h"
#include "tests/support/stand_in.h"
#include "tests/support/temp_folder.h"
#include "tests/support/transcript.h"

#include <fstream>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string DocumentId = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";

class MailE2E : public ::testing::Test {
protected:
    MailE2E() {
        fs::create_directories(drive() / "Sager" / "Hansen");
        testing::writeStandIn(work.path() / "xdg-open", work.path() / "opened");
    }

    fs::path drive() const { return home.path() / "drive_c"; }

    void exchangeFile(const std::string& name, const std::string& utf8) {
        std::ofstream(drive() / name, std::ios::binary) << cp1252::fromUtf8(utf8);
    }

    // A case with the save path C:\Sager\Hansen\Svar.msg and the document ID.
    void caseData() {
        exchangeFile("tmp.txt",
                     "C:\\Sager\r\nHansen\r\n2026-0042\r\nC:\\Sager\\Hansen\\Svar.msg\r\n"
                     "\r\n\r\n" +
                         DocumentId + "\r\n");
    }

    testing::ProgramRun run(const std::vector<std::string>& arguments, const std::string& script,
                            std::map<std::string, std::string> environment = {}) {
        const fs::path scriptFile = work.path() / "script.txt";
        std::ofstream(scriptFile) << script;
        environment.insert({{"LEXITRAY_HOME", home.str()},
                            {"LEXITRAY_UI", "script"},
                            {"LEXITRAY_UI_SCRIPT", scriptFile.string()},
                            {"LEXITRAY_UI_TRANSCRIPT", transcriptFile().string()},
                            {"TMPDIR", work.str()},
                            {"PATH", testing::pathWith(work.path())}});
        return testing::runProgram(LEXITRAY_PROGRAM, arguments, environment, work.path());
    }

    fs::path transcriptFile() const { return work.path() / "transcript.txt"; }

    std::vector<script::Record> transcript() const {
        return testing::readTranscript(transcriptFile());
    }

    Lines log() const {
        return testing::logLineTexts(
            drive() / ("Lexitray_" + std::string(::getpwuid(::getuid())->pw_name) + ".log"));
    }

    std::string callback() const {
        return testing::readHostFile(drive() / ("Mail_" + DocumentId + ".txt"));
    }

    msgfile::Message saved() const {
        return msgfile::readMessageFile((drive() / "Sager" / "Hansen" / "Svar.msg").string());
    }

    testing::TempFolder home;
    testing::TempFolder work;
};

// Every expected line, in this order, among the log's lines.
void expectInOrder(const Lines& log, const Lines& expected) {
    auto at = log.begin();
    for (const std::string& line : expected) {
        at = std::find(at, log.end(), line);
        ASSERT_NE(at, log.end()) << "missing, or out of order: " << line;
    }
}

struct ModeCase {
    std::string mode;
    std::string modeLine;
    bool blindCopy;
};
void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << c.mode;
}

class MailModeE2E : public MailE2E, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(MailModeE2E, ASentMailIsFiledInTheCaseAndReported) {
    exchangeFile("finmail.txt", "klient@hansen.dk\r\n[subject]=Svar i sag 2026-0042 – Ærø\r\n");
    caseData();
    const auto result = run({GetParam().mode}, "mail body Kære Hansen\\r\\n\nmail send\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;

    const msgfile::Message mail = saved();
    EXPECT_EQ(mail.subject, "Svar i sag 2026-0042 – Ærø");
    EXPECT_NE(mail.sentOn, msgfile::NoDate);
    EXPECT_EQ(mail.billingInformation, "");
    EXPECT_EQ(mail.mileage, "NAV");
    EXPECT_TRUE(
        mail.body.starts_with("Kære Hansen\r\n\r\n\r\n¨¨¨¨¨¨¨¨¨¨¨¨\r\nOprettet og sendt den "));
    ASSERT_EQ(mail.recipients.size(), 1U);
    EXPECT_EQ(mail.recipients[0].address, "klient@hansen.dk");
    EXPECT_EQ(mail.recipients[0].type,
              GetParam().blindCopy ? msgfile::RecipientType::Bcc : msgfile::RecipientType::To);
    EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
    EXPECT_FALSE(fs::exists(drive() / "finmail.txt"));
    EXPECT_TRUE(fs::exists(drive() / "tmp.txt"));

    expectInOrder(log(), {"cmdline er ->" + GetParam().mode + "<-",
                          GetParam().modeLine,
                          "Starting new instance of NaviMail Procedure",
                          "Det er ny mail",
                          "Indsætter vedrørende",
                          "  1 modtagere tilføjet",
                          "Viser mail",
                          "Starting procedure olMail_Send",
                          "Mailen sendes",
                          "Ending procedure olMail_Send",
                          "Starting procedure olMail_Close",
                          "Ending procedure olMail_Close",
                          "MailSendt has value of Trueand GemtMail has value of ",
                          "Checker om mail kan findes i 'Sendt Post'",
                          "Finder gemmesti",
                          "Leder i 1 beskeder",
                          "Fandt mail efter 1 forsøg.",
                          "Gemmer mail i sagsmappe C:\\Sager\\Hansen\\Svar.msg",
                          "Callback til NAV docID " + DocumentId,
                          "Import file",
                          "Slut"});
}

INSTANTIATE_TEST_SUITE_P(Modes, MailModeE2E,
                         ::testing::Values(ModeCase{"mail", "Sender mail", false},
                                           ModeCase{"MAILBCC", "Sender mail til BCC modtagere",
                                                    true},
                                           ModeCase{"mailreply", "Besvarer mail", false}));

TEST_F(MailE2E, AnIndependentReaderReadsTheFiledMail) {
    if (!fs::exists("/usr/bin/msgconvert")) {
        GTEST_SKIP() << "msgconvert is not installed";
    }
    exchangeFile("finmail.txt", "klient@hansen.dk\r\n[subject]=Svar til Ærø\r\n");
    caseData();
    ASSERT_EQ(run({"mail"}, "mail send\n").exitCode, 0);
    const auto converted = testing::runProgram("/usr/bin/msgconvert",
                                               {"--outfile", (work.path() / "svar.eml").string(),
                                                (drive() / "Sager/Hansen/Svar.msg").string()},
                                               {}, work.path());
    ASSERT_EQ(converted.exitCode, 0) << converted.standardError;
    const std::string eml = testing::readHostFile(work.path() / "svar.eml");
    EXPECT_NE(eml.find("klient@hansen.dk"), std::string::npos);
    EXPECT_NE(eml.find("Subject: "), std::string::npos);
}

TEST_F(MailE2E, AMailClosedWithoutSendingIsSavedInTheCase) {
    caseData();
    ASSERT_EQ(run({"mail"}, "mail subject Udkast\nmail close\n").exitCode, 0);
    const msgfile::Message mail = saved();
    EXPECT_EQ(mail.subject, "Udkast");
    EXPECT_EQ(mail.sentOn, msgfile::NoDate);
    EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
    expectInOrder(log(), {"Bruger afslutter uden at sende",
                          "Gemmer mail i sagsmappe som C:\\Sager\\Hansen\\Svar.msg",
                          "MailSendt has value of Falseand GemtMail has value of ",
                          "Starting procedure EmptyOutbox"});
}

TEST_F(MailE2E, AReopenedMailAnsweredNoIsNeitherSavedNorImported) {
    caseData();
    ASSERT_EQ(run({"mail"}, "mail subject Udkast\nmail close\n").exitCode, 0);
    const std::string before = testing::readHostFile(drive() / "Sager" / "Hansen" / "Svar.msg");
    fs::remove(transcriptFile());
    const auto result = run({"C:\\Sager\\Hansen\\Svar.msg", "open", DocumentId},
                            "mail subject Rettet\nmail close\nmsgbox No\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    EXPECT_EQ(testing::readHostFile(drive() / "Sager" / "Hansen" / "Svar.msg"), before);
    EXPECT_EQ(callback(), DocumentId + "\r\n0\r\n");
    const auto records = transcript();
    const auto question = std::find_if(records.begin(), records.end(),
                                       [](const auto& record) { return record.kind == "msgbox"; });
    ASSERT_NE(question, records.end());
    EXPECT_EQ(question->field("text"), "Gem ændringerne? ");
    EXPECT_EQ(question->field("style"), "4132");
    EXPECT_TRUE(testing::standInCalls(work.path() / "opened").empty()) << "the shell is not asked";
}

TEST_F(MailE2E, AReopenedUnsentMailIsSentAndFiled) {
    caseData();
    ASSERT_EQ(run({"mail"}, "mail subject Udkast\nmail close\n").exitCode, 0);
    const auto result = run({"C:\\Sager\\Hansen\\Svar.msg", "open", DocumentId},
                            "mail to klient@hansen.dk\nmail send\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    EXPECT_NE(saved().sentOn, msgfile::NoDate);
    EXPECT_EQ(callback(), DocumentId + "\r\n1\r\n");
    expectInOrder(log(), {"Procedure StartProgram Mail is not sent",
                          "Det er en gemt mail, som ikke er sendt", "Fandt mail efter 1 forsøg."});
}

TEST_F(MailE2E, ADocumentGoesToTheDesktopsOpener) {
    std::ofstream(drive() / "Sager" / "Hansen" / "brev 1.docx") << "brev";
    const auto result = run({"C:\\Sager\\Hansen\\brev", "1.docx", "open"}, "",
                            testing::desktopOpeningDocx(work.path() / "desktop"));
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const Lines calls = testing::standInCalls(work.path() / "opened");
    ASSERT_EQ(calls.size(), 2U);
    EXPECT_EQ(calls[0], drive().string()) << "the exchange folder is the working folder";
    EXPECT_EQ(calls[1], (drive() / "Sager" / "Hansen" / "brev 1.docx").string());
    EXPECT_TRUE(transcript().empty());
}

TEST_F(MailE2E, AMissingDocumentGivesTheReasonThenTheUsage) {
    ASSERT_EQ(run({"C:\\Sager\\mangler.docx", "open"}, "").exitCode, 0);
    const auto records = transcript();
    ASSERT_EQ(records.size(), 2U);
    EXPECT_EQ(records[0].field("text"), "Filen 'C:\\Sager\\mangler.docx ' ikke fundet!");
    EXPECT_TRUE(
        records[1].field("text").starts_with("Lexitray er blevet kaldt med forkert syntaks."));
    EXPECT_EQ(records[1].field("style"), "64");
}

} // namespace
} // namespace lexi
