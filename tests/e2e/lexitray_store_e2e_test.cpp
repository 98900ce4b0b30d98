// Runs the real lexitray-store program on a store in a fresh home.

#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/msgfile/message_file.h"
#include "tests/msgfile/sample_files.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;

class LexitrayStoreE2E : public ::testing::Test {
protected:
    struct Output {
        int exitCode;
        std::string out;
        std::string err;
    };
    // Runs lexitray-store with LEXITRAY_HOME set to the test's home.
    Output store(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(),
                         {"-c", "exec \"$0\" \"$@\" >stdout", LEXITRAY_STORE_PROGRAM});
        const testing::ProgramRun run = testing::runProgram("/bin/sh", arguments, {}, work.path());
        return {run.exitCode, testing::readHostFile(work.path() / "stdout"), run.standardError};
    }

    fs::path storeFile() const { return home.folder().path() / "mailstore.db"; }

    testing::TempHome home;
    testing::TempFolder work;
};

TEST_F(LexitrayStoreE2E, DeliversListsShowsAndExportsRealMessages) {
    SKIP_WITHOUT_SAMPLES();
    const char* samples[] = {"attachments.msg", "to-and-cc-multiple.msg", "simple-sent.msg",
                             "html-attachment-embedded-image.msg"};
    int position = 0;
    for (const char* sample : samples) {
        SCOPED_TRACE(sample);
        const msgfile::Message original = msgfile::readMessageFile(samplePath(sample));

        const Output delivered = store({"deliver", "6", samplePath(sample)});
        ASSERT_EQ(delivered.exitCode, 0) << delivered.err;
        ASSERT_EQ(delivered.out.size(), 49u) << delivered.out;
        const std::string entryId = delivered.out.substr(0, 48);
        ++position;

        const Output list = store({"list", "6"});
        EXPECT_EQ(list.exitCode, 0);
        EXPECT_NE(list.out.find(std::to_string(position) + "\t" + entryId + "\t43\t"),
                  std::string::npos)
            << list.out;
        EXPECT_NE(list.out.find("\t" + original.subject + "\n"), std::string::npos) << list.out;

        const Output shown = store({"show", entryId});
        EXPECT_EQ(shown.exitCode, 0);
        EXPECT_NE(shown.out.find("Subject: " + original.subject + "\n"), std::string::npos);
        for (const msgfile::Attachment& attachment : original.attachments) {
            EXPECT_NE(shown.out.find(" (" + std::to_string(attachment.data.size()) + " bytes)\n"),
                      std::string::npos)
                << shown.out;
        }

        const std::string exported = (work.path() / "exported.msg").string();
        ASSERT_EQ(store({"export", entryId, exported}).exitCode, 0);
        EXPECT_EQ(msgfile::readMessageFile(exported), original);
    }
    EXPECT_NE(store({"folders"}).out.find("6\tIndbakke\t\\\\Personlige mapper\\Indbakke\t4\n"),
              std::string::npos);
}

TEST_F(LexitrayStoreE2E, ChangesTheAccountFieldsGivenAndKeepsTheOthers) {
    const fs::path signature = work.path() / "signatur.txt";
    std::ofstream(signature) << "Med venlig hilsen\nJens Ærø";
    ASSERT_EQ(store({"account", "--name", "Jens Ærø", "--address", "jens@advokat.dk",
                     "--signature-file", signature.string(), "--smtp", "smtp://127.0.0.1:2525",
                     "--smtp-user", "jens", "--smtp-password", "hemmelig"})
                  .exitCode,
              0);
    const Output changed = store({"account", "--address", "jens@firma.dk"});
    ASSERT_EQ(changed.exitCode, 0) << changed.err;
    EXPECT_NE(changed.out.find("Name: Jens Ærø\nAddress: jens@firma.dk\n"), std::string::npos)
        << changed.out;
    EXPECT_EQ(changed.out.find("hemmelig"), std::string::npos) << "the password is not shown";

    mailstore::Account expected;
    expected.displayName = "Jens Ærø";
    expected.address = "jens@firma.dk";
    expected.signature = "Med venlig hilsen\nJens Ærø";
    expected.smtpUrl = "smtp://127.0.0.1:2525";
    expected.smtpUser = "jens";
    expected.smtpPassword = "hemmelig";
    EXPECT_EQ(mailstore::SqliteMailStorage(storeFile().string()).account(), expected);
}

// Wrong use shows the usage and leaves no store; a failure is told on
// standard error.
TEST_F(LexitrayStoreE2E, WrongUseAndFailuresAreToldOnStandardError) {
    const std::string missing = (work.path() / "missing.msg").string();
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{}, 2},
        {{"unknown"}, 2},
        {{"list"}, 2},
        {{"list", "Indbakke"}, 2},
        {{"deliver", "6x", "a.msg"}, 2},
        {{"show", "a", "b"}, 2},
        {{"account", "--name"}, 2},
        {{"account", "--colour", "blue"}, 2},
        {{"show", "000000001234"}, 1},
        {{"export", "000000001234", missing}, 1},
        {{"list", "99"}, 1},
        {{"deliver", "99", missing}, 1},
        {{"deliver", "6", missing}, 1},
        {{"account", "--signature-file", missing}, 1},
    };
    for (const auto& [arguments, exitCode] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const bool wrongUse = exitCode == 2;
        const Output output = store(arguments);
        EXPECT_FALSE(wrongUse && fs::exists(storeFile())); // the wrong uses come first
        EXPECT_EQ(output.exitCode, exitCode);
        EXPECT_EQ(output.err.rfind(wrongUse ? "Usage:" : "lexitray-store: ", 0), 0u) << output.err;
        EXPECT_EQ(output.out, "");
    }
}

} // namespace
} // namespace lexi
