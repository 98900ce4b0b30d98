// Runs the real lexitray-store program on a store in a fresh home.

#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/msgfile/message_file.h"
#include "tests/msgfile/sample_files.h"
#include "tests/support/temp_folder.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace lexi {
namespace {

namespace fs = std::filesystem;

struct Output {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class LexitrayStoreE2E : public ::testing::Test {
protected:
    // Runs lexitray-store with LEXITRAY_HOME set to the test's home.
    Output store(std::vector<std::string> arguments) {
        const std::string outFile = (work.path() / "stdout").string();
        const std::string errFile = (work.path() / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        std::string program = LEXITRAY_STORE_PROGRAM;
        std::vector<char*> argv{program.data()};
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        pid_t child = 0;
        const int failed =
            ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        Output output;
        int status = 0;
        if (failed == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
            output.exitCode = WEXITSTATUS(status);
        }
        output.out = testing::readHostFile(outFile);
        output.err = testing::readHostFile(errFile);
        return output;
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

TEST_F(LexitrayStoreE2E, WrongUseShowsTheUsageAndLeavesNoStore) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"unknown"},
        {"list"},
        {"list", "Indbakke"},
        {"deliver", "6x", "a.msg"},
        {"show", "a", "b"},
        {"account", "--name"},
        {"account", "--colour", "blue"},
    };
    for (const auto& arguments : wrong) {
        const Output output = store(arguments);
        EXPECT_EQ(output.exitCode, 2) << ::testing::PrintToString(arguments);
        EXPECT_NE(output.err.find("Usage:"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(storeFile()));
}

TEST_F(LexitrayStoreE2E, FailuresAreReportedOnStandardError) {
    const std::vector<std::vector<std::string>> failing = {
        {"show", "000000001234"},
        {"export", "000000001234", (work.path() / "x.msg").string()},
        {"list", "99"},
        {"deliver", "99", (work.path() / "x.msg").string()},
        {"deliver", "6", (work.path() / "missing.msg").string()},
        {"account", "--signature-file", (work.path() / "missing.txt").string()},
    };
    for (const auto& arguments : failing) {
        const Output output = store(arguments);
        EXPECT_EQ(output.exitCode, 1) << ::testing::PrintToString(arguments);
        EXPECT_EQ(output.err.rfind("lexitray-store: ", 0), 0u) << output.err;
        EXPECT_EQ(output.out, "");
    }
}

} // namespace
} // namespace lexi
