// Runs casebench-host on the real library in a fresh home: registration, then
// a script of calls on a case folder with the scripted text pop-up.

#include "tests/msgfile/sample_files.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace lexi {
namespace {

// The quoted texts of the host's output that follow `lead`, in order.
std::vector<std::string> quotedAfter(const std::string& output, const std::string& lead) {
    std::vector<std::string> found;
    for (std::size_t at = output.find(lead); at != std::string::npos; at = output.find(lead, at)) {
        at += lead.size();
        found.push_back(output.substr(at, output.find('"', at) - at));
    }
    return found;
}

TEST(CasebenchHostE2E, RegistersAndRunsACaseFolderScript) {
    testing::TempHome home;
    testing::TempFolder work;
    const std::filesystem::path drive = std::filesystem::path(home.str()) / "drive_c";
    std::filesystem::create_directories(drive);
    std::ofstream(drive / "brev.txt") << "Kære klient";
    std::ofstream(work.path() / "answers") << "textbox text Første linje\\r\\nAnden\n"
                                              "textbox OK\n";
    const std::string longName = "Referat " + std::string(100, 'x') + ".txt";
    std::ofstream(work.path() / "calls")
        << "Filfunc OpretMappe C:\\Sager\\12\\Bilag\n"
        << "Filfunc Kopier C:\\brev.txt C:\\Sager\\12\\Bilag ReadOnly \"\"\n"
        << "Filfunc Kontrol C:\\Sager\\12\\Bilag\\brev.txt\n"
        << "Filfunc Kopier C:\\brev.txt C:\\Sager\\12\\Bilag\\ \"\" \"" << longName << "\"\n"
        << "Filfunc KortFilnavn C:\\Sager\\12\\Bilag\n"
        << "Filfunc FileExists C:\\Sager\\12\\Bilag\\Referat*\n"
        << "PopUp InitText 2\n"
        << "PopUp ShowTextBox Noter 0 5000 3000 40\n"
        << "PopUp GetText 1\n"
        << "PopUp GetText 2\n"
        << "Filfunc MappeSlet C:\\Sager\\12\n";
    const std::map<std::string, std::string> environment = {
        {"LEXITRAY_UI", "script"},
        {"LEXITRAY_UI_SCRIPT", (work.path() / "answers").string()},
        {"LEXITRAY_UI_TRANSCRIPT", (work.path() / "transcript").string()}};
    const auto host = [&](const std::string& arguments) {
        testing::runProgram("/bin/sh", {"-c", "exec \"$0\" " + arguments + " >out", CASEBENCH_HOST},
                            environment, work.path());
        return testing::readHostFile(work.path() / "out");
    };

    EXPECT_EQ(host("register"), "register -> OK\n");
    const std::string shortName = "Referat " + std::string(82, 'x') + ".txt";
    EXPECT_EQ(host("--script calls"), "Filfunc.OpretMappe -> \"OK\"\n"
                                      "Filfunc.Kopier -> \"OK\"\n"
                                      "  TilSti := \"C:\\Sager\\12\\Bilag\\\"\n"
                                      "  Filnavn := \"brev.txt\"\n"
                                      "Filfunc.Kontrol -> \"ReadOnly\"\n"
                                      "Filfunc.Kopier -> \"OK\"\n"
                                      "Filfunc.KortFilnavn -> Empty\n"
                                      "  Mappe := \"C:\\Sager\\12\\Bilag\\\"\n"
                                      "Filfunc.FileExists -> \"" +
                                          shortName +
                                          "\"\n"
                                          "PopUp.InitText -> Empty\n"
                                          "  NrLines := 2\n"
                                          "PopUp.ShowTextBox -> 3\n"
                                          "  ReadOnly := 0\n"
                                          "  Width := 5000\n"
                                          "  Height := 3000\n"
                                          "  RecLen := 40\n"
                                          "PopUp.GetText -> \"Første \"\n"
                                          "  LineNr := 1\n"
                                          "PopUp.GetText -> \"linje\"\n"
                                          "  LineNr := 2\n"
                                          "Filfunc.MappeSlet -> \"\"\n");
    EXPECT_FALSE(std::filesystem::exists(drive / "Sager" / "12"));
    EXPECT_NE(testing::readHostFile(work.path() / "transcript")
                  .find("textbox\tevent=shown\ttitle=Noter\ttext=\tlocked=0\twidth=5000"),
              std::string::npos);
    EXPECT_EQ(host("RegEdit GetRegKey "
                   "HKEY_CURRENT_USER\\\\Software\\\\Classes\\\\Casebench.PopUp\\\\CLSID ''"),
              "RegEdit.GetRegKey -> \"{E643679B-63A5-41CE-A83F-D0560E093DD3}\"\n");
    EXPECT_EQ(host("unregister"), "unregister -> OK\n");
}

// Tasks and a contact in the real mail store, and the header of a saved mail,
// through the host: the task's identity from the first run is what the
// second run keeps it in step by.
TEST(CasebenchHostE2E, KeepsTasksInStepAndReadsASavedMailsHeader) {
    testing::TempHome home;
    testing::TempFolder work;
    const std::filesystem::path drive = std::filesystem::path(home.str()) / "drive_c";
    std::filesystem::create_directories(drive);
    const std::filesystem::path sample =
        std::filesystem::path(LEXITRAY_SHARED_DIR) / "testdata" / "msg" / "simple-sent.msg";
    const std::map<std::string, std::string> environment = {{"LEXITRAY_UI", "script"}};
    const auto run = [&](const std::string& calls) {
        std::ofstream(work.path() / "calls") << calls;
        testing::runProgram("/bin/sh", {"-c", "exec \"$0\" --script calls >out", CASEBENCH_HOST},
                            environment, work.path());
        return testing::readHostFile(work.path() / "out");
    };

    const std::string created =
        run("Kalender TilOpgave A-12 100 Hansen Lejetvist Svarskrift Frist 24-12-2026 \"\"\n"
            "Kalender TilKontakt \"Jens Hansen\" \"\" \"\" \"\" \"9000 Aalborg\" jh@hansen.dk "
            "\"\" \"\" \"\" True\n");
    const std::vector<std::string> ids = quotedAfter(created, "TilOpgave -> \"");
    ASSERT_EQ(ids.size(), 1u) << created;
    const std::string task = ids[0];
    ASSERT_EQ(task.size(), 48u) << created;
    EXPECT_NE(created.find("Kalender.TilKontakt -> \"OK\""), std::string::npos) << created;
    const std::string steps =
        run("Kalender SkiftDato " + task + " \"31-12-2026 14:30\"\n" + "Kalender CheckDato " +
            task + "\n" + "Kalender MarkerStatus " + task + " True\n" + "Kalender Checkstatus " +
            task + "\n" + "Kalender VisOpgave " + task + "\n" + "Kalender SletOpgave " + task +
            "\n" + "Kalender CheckDato 0000UKENDT\n");
    const std::pair<const char*, std::vector<std::string>> answers[] = {
        {"SkiftDato -> \"", {"OK"}},    {"CheckDato -> \"", {"31-12-2026 14:30:00", "ERROR"}},
        {"MarkerStatus -> \"", {"OK"}}, {"VisOpgave -> \"", {"OK"}},
        {"SletOpgave -> \"", {"OK"}},
    };
    for (const auto& [lead, expected] : answers) {
        EXPECT_EQ(quotedAfter(steps, lead), expected) << steps;
    }
    const std::vector<std::string> completed = quotedAfter(steps, "Checkstatus -> \"");
    ASSERT_EQ(completed.size(), 1u) << steps;
    EXPECT_EQ(completed[0].size(), 10u) << steps; // dd-mm-yyyy
    if (!std::filesystem::exists(sample)) {
        GTEST_SKIP() << "no sample mail at " << sample;
    }
    std::filesystem::copy_file(sample, drive / "brev.MSG");
    EXPECT_EQ(run("Kalender AnalyzeMail C:\\brev.MSG\nKalender GetMailPrps 4\n"),
              "Kalender.AnalyzeMail -> True\n"
              "Kalender.GetMailPrps -> \"29-11-2007\"\n"
              "  Property := 4\n");
}

// Three real mails in the store's Inbox, filed by a scripted user into a case
// folder that the question creates: three message files that another
// program reads, and their records.
TEST(CasebenchHostE2E, TransfersSelectedMailsIntoTheCaseFolder) {
    SKIP_WITHOUT_SAMPLES();
    testing::TempHome home;
    testing::TempFolder work;
    for (const char* sample : {"simple-sent.msg", "plain-chain.msg", "attachments.msg"}) {
        testing::runProgram("/bin/sh",
                            {"-c", "exec \"$0\" deliver 6 \"$1\" >/dev/null",
                             LEXITRAY_STORE_PROGRAM, samplePath(sample)},
                            {}, work.path());
    }
    std::ofstream(work.path() / "answers")
        << "msgbox Yes\noutlook select 1 2 3\noutlook transfer\n";
    std::ofstream(work.path() / "calls")
        << "Kalender SaveOutlookMails C:\\Sager\\42\n"
        << "Kalender GetOlMailInfo 1 6\nKalender GetOlMailInfo 2 6\n"
        << "Kalender GetOlMailInfo 3 6\n";
    testing::runProgram(
        "/bin/sh", {"-c", "exec \"$0\" --script calls >out", CASEBENCH_HOST},
        {{"LEXITRAY_UI", "script"}, {"LEXITRAY_UI_SCRIPT", (work.path() / "answers").string()}},
        work.path());
    const std::string out = testing::readHostFile(work.path() / "out");
    ASSERT_EQ(out.rfind("Kalender.SaveOutlookMails -> 3\n", 0), 0u) << out;
    const std::vector<std::string> saved = quotedAfter(out, "GetOlMailInfo -> \"");
    ASSERT_EQ(saved.size(), 3u) << out;
    for (const std::string& path : saved) {
        ASSERT_EQ(path.rfind("C:\\Sager\\42\\", 0), 0u) << path;
        const std::string msg = home.str() + "/drive_c/Sager/42/" + path.substr(12);
        const testing::ProgramRun converted = testing::runProgram(
            "/bin/sh", {"-c", "exec msgconvert --outfile - \"$0\" >eml", msg}, {}, work.path());
        EXPECT_EQ(converted.exitCode, 0) << msg;
        EXPECT_NE(testing::readHostFile(work.path() / "eml").find("\nSubject: "), std::string::npos)
            << msg;
    }
}

} // namespace
} // namespace lexi
