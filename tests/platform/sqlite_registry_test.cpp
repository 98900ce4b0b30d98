#include "platform/posix/sqlite_registry.h"
#include "tests/platform/registry_contract.h"
#include "tests/registry/md_registry_scenario.h"
#include "tests/support/child_processes.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>

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

} // namespace
} // namespace lexi::posix
