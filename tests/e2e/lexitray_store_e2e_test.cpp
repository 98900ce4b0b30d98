// Runs the real lexitray-store program on a store in a fresh home: one run of
// each command, and how wrong use and failures end.

#include "tests/msgfile/sample_files.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace lexi {
namespace {

class LexitrayStoreE2E : public ::testing::Test {
protected:
    // Runs lexitray-store with the arguments the shell reads from `line`;
    // its standard output.
    std::string store(const std::string& line) {
        run = testing::runProgram("/bin/sh",
                                  {"-c", "exec \"$0\" " + line + " >out", LEXITRAY_STORE_PROGRAM},
                                  {}, work.path());
        return testing::readHostFile(work.path() / "out");
    }

    testing::TempHome home;
    testing::TempFolder work;
    testing::ProgramRun run;
};

TEST_F(LexitrayStoreE2E, DeliversListsShowsAndExportsARealMessage) {
    SKIP_WITHOUT_SAMPLES();
    const std::string entryId = store("deliver 6 " + samplePath("attachments.msg")).substr(0, 48);
    EXPECT_EQ(store("list 6").rfind("1\t" + entryId + "\t43\t", 0), 0u);
    EXPECT_NE(store("show " + entryId).find(" bytes)\nBody:\n"), std::string::npos);
    EXPECT_NE(store("folders").find("6\tIndbakke\t\\\\Personlige mapper\\Indbakke\t1\n"),
              std::string::npos);
    store("export " + entryId + " exported.msg");
    EXPECT_EQ(testing::readHostFile(work.path() / "exported.msg"),
              testing::readHostFile(samplePath("attachments.msg")));
}

TEST_F(LexitrayStoreE2E, ChangesTheAccountFieldsGivenAndKeepsTheOthers) {
    std::ofstream(work.path() / "signatur.txt") << "Med venlig hilsen\nJens Ærø";
    store("account --name 'Jens Ærø' --signature-file signatur.txt --smtp smtp://x:25 "
          "--smtp-user jens --smtp-password hemmelig");
    EXPECT_EQ(store("account --address jens@firma.dk"),
              "Name: Jens Ærø\nAddress: jens@firma.dk\nVersion: 12.0.0.4518\nSMTP URL: "
              "smtp://x:25\nSMTP user: jens\nSMTP password: (set)\nSignature:\nMed venlig hilsen\n"
              "Jens Ærø\n");
}

// Wrong use (2) shows the usage and leaves no store (so it comes first); a
// failure (1) is told.
TEST_F(LexitrayStoreE2E, WrongUseAndFailuresAreToldOnStandardError) {
    for (const auto& [exitCode, lines] : std::vector<std::pair<int, std::vector<std::string>>>{
             {2, {"", "unknown", "list", "list 6x", "show a b", "account --name", "account --x b"}},
             {1,
              {"show 0000", "export 0000 x.msg", "list 99", "deliver 99 a.msg", "deliver 6 a.msg",
               "account --signature-file a"}}}) {
        for (const std::string& line : lines) {
            EXPECT_EQ(store(line), "") << line;
            EXPECT_FALSE(exitCode == 2 && std::filesystem::exists(home.str() + "/mailstore.db"));
            EXPECT_EQ(run.exitCode, exitCode) << line;
            EXPECT_EQ(run.standardError.rfind(exitCode == 2 ? "Usage:" : "lexitray-store: ", 0),
                      0u);
        }
    }
}

} // namespace
} // namespace lexi
