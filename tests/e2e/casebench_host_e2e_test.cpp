// Runs casebench-host on the real library in a fresh home: registration, then
// a script of calls on a case folder with the scripted text pop-up.

#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(CasebenchHostE2E, RegistersAndRunsACaseFolderScript) {
    testing::TempHome home;
    testing::TempFolder work;
    const std::filesystem::path drive = std::filesystem::path(home.str()) / "drive_c";
    std::filesystem::create_directories(drive);
    std::ofstream(drive / "brev.txt") << "Kære klient";
    std::ofstream(work.path() / "answers") << "textbox text Første linje\\r\\nAnden\n"
                                              "textbox OK\n";
    std::ofstream(work.path() / "calls")
        << "Filfunc OpretMappe C:\\Sager\\12\\Bilag\n"
        << "Filfunc Kopier C:\\brev.txt C:\\Sager\\12\\Bilag ReadOnly \"\"\n"
        << "PopUp InitText 2\n"
        << "PopUp ShowTextBox Noter 0 5000 3000 40\n"
        << "PopUp GetText 1\n"
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
    EXPECT_EQ(host("--script calls"), "Filfunc.OpretMappe -> \"OK\"\n"
                                      "Filfunc.Kopier -> \"OK\"\n"
                                      "  TilSti := \"C:\\Sager\\12\\Bilag\\\"\n"
                                      "  Filnavn := \"brev.txt\"\n"
                                      "PopUp.InitText -> Empty\n"
                                      "  NrLines := 2\n"
                                      "PopUp.ShowTextBox -> 3\n"
                                      "  ReadOnly := 0\n"
                                      "  Width := 5000\n"
                                      "  Height := 3000\n"
                                      "  RecLen := 40\n"
                                      "PopUp.GetText -> \"Første \"\n"
                                      "  LineNr := 1\n"
                                      "Filfunc.MappeSlet -> \"\"\n");
    EXPECT_FALSE(std::filesystem::exists(drive / "Sager" / "12"));
    EXPECT_NE(testing::readHostFile(work.path() / "transcript")
                  .find("textbox\tevent=shown\ttitle=Noter\ttext=\tlocked=0\twidth=5000"),
              std::string::npos);
    EXPECT_EQ(host("unregister"), "unregister -> OK\n");
}

} // namespace
} // namespace lexi
