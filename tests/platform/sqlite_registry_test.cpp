#include "platform/posix/sqlite_registry.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "tests/platform/registry_contract.h"
#include "tests/registry/md_registry_scenario.h"
#include "tests/support/child_processes.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lexi::registry_contract {
namespace {

struct SqliteStore {
    static constexpr bool WrittenOrder = true;
    testing::TempFolder folder;
    posix::SqliteRegistry registry{folder.str() + "/store/registry.db"};
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Sqlite, RegistryContract, SqliteStore);
INSTANTIATE_TYPED_TEST_SUITE_P(Sqlite, SettingsContract, SqliteStore);

} // namespace lexi::registry_contract

namespace lexi::registry_scenario {

INSTANTIATE_TYPED_TEST_SUITE_P(Sqlite, RegistryModuleScenario, registry_contract::SqliteStore);

} // namespace lexi::registry_scenario

namespace lexi::posix {
namespace {

using enum RegistryStatus;
using enum RegistryAccess;
constexpr auto HKCU = RegistryRoot::CurrentUser;

TEST(SqliteRegistry, SeveralProcessesWritingAtOnceLoseNothingForTheNextProcess) {
    testing::TempFolder folder;
    const auto codes = testing::runInChildren(6, [&](int w) {
        SqliteRegistry registry(folder.str() + "/registry.db");
        int failures = registry.createKey(HKCU, std::to_string(w)) != Ok;
        for (int i = 0; i < 40; ++i) {
            failures += registry.setValue(HKCU, std::to_string(w), std::to_string(i), {}) != Ok;
        }
        return failures;
    });
    EXPECT_EQ(codes, std::vector<int>(6, 0));
    SqliteRegistry registry(folder.str() + "/registry.db");
    for (int w = 0; w < 6; ++w) {
        EXPECT_EQ(registry.valueNames(HKCU, std::to_string(w)).size(), 40U);
    }
}

TEST(SqliteRegistry, AStoreThatCannotBeCreatedRefusesWritesAndFindsNothing) {
    testing::TempFolder folder;
    // A file where the store's folder should be: nothing can be created there.
    std::ofstream(folder.path() / "home") << "not a folder";
    SqliteRegistry registry(folder.str() + "/home/registry.db");
    RegistryValue value;
    std::size_t size = 0;
    EXPECT_EQ((std::vector{registry.createKey(HKCU, "K"), registry.openKey(HKCU, "K", Read),
                           registry.openKey(HKCU, "", Write),
                           registry.queryValue(HKCU, "", "x", 255, value, size)}),
              (std::vector{AccessDenied, NotFound, AccessDenied, NotFound}));
    EXPECT_TRUE(registry.valueNames(HKCU, "").empty());
}

// A password written among the PDF writer's job settings leaves no trace in
// the store's files once the settings are cleared, also after the log was
// copied into the database while it was there. The home and the store's
// files are the user's alone; a store made earlier with a wider mode is
// closed to others as it is opened.
TEST(SqliteRegistry, ClearedJobSettingsLeaveNoTraceAndTheFilesAreTheUsersAlone) {
    testing::TempFolder folder;
    const std::string home = folder.str() + "/home", store = home + "/registry.db";
    const auto mode = [](const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
    };
    const std::string password = "Hemmeligt-Kodeord-42";
    {
        SqliteRegistry registry(store);
        testing::RecordingUi ui;
        mdRegistry module(registry, ui);
        mdPDFWriter writer(module, ui);
        writer.SetPDFWriterSetting("UserPassword", password);
        ASSERT_EQ(registry.flushKey(HKCU, "Software"), Ok);
        writer.SetPDFWriterSetting("FileName", "C:\\x.pdf");
        writer.ResetPDFWriter();
        for (const std::string name : {"", "-wal"}) {
            EXPECT_EQ(testing::readHostFile(store + name).find(password), std::string::npos)
                << name;
        }
        EXPECT_EQ(
            std::vector({mode(home), mode(store), mode(store + "-wal"), mode(store + "-shm")}),
            std::vector({0700U, 0600U, 0600U, 0600U}));
    }
    ::chmod(store.c_str(), 0644);
    EXPECT_EQ(SqliteRegistry(store).createKey(HKCU, "K"), Ok);
    EXPECT_EQ(mode(store), 0600U);
}

} // namespace
} // namespace lexi::posix
