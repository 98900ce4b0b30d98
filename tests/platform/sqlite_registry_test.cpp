#include "platform/posix/sqlite_registry.h"
#include "tests/support/child_processes.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace lexi::posix {
namespace {

constexpr auto HKCU = RegistryRoot::CurrentUser;

TEST(SqliteRegistry, SeveralProcessesWritingAtOnceLoseNothingForTheNextProcess) {
    testing::TempFolder folder;
    const std::string path = folder.str() + "/registry.db";
    constexpr int Writers = 6;
    constexpr int ValuesEach = 40;
    const auto codes = testing::runInChildren(Writers, [&](int w) {
        SqliteRegistry registry(path);
        const std::string key = "Software\\Shared\\Ø" + std::to_string(w);
        int failures = registry.createKey(HKCU, key) != RegistryStatus::Ok;
        for (int i = 0; i < ValuesEach; ++i) {
            failures += registry.setValue(HKCU, key, "Æ" + std::to_string(i),
                                          {RegistryType::Binary, "\xE6" + std::to_string(i)}) !=
                        RegistryStatus::Ok;
        }
        return failures == 0 ? 0 : 1;
    });
    EXPECT_EQ(codes, std::vector<int>(Writers, 0));
    SqliteRegistry registry(path);
    for (int w = 0; w < Writers; ++w) {
        EXPECT_EQ(registry.valueNames(HKCU, "Software\\Shared\\Ø" + std::to_string(w)).size(),
                  static_cast<std::size_t>(ValuesEach));
    }
    RegistryValue value;
    std::size_t size = 0;
    ASSERT_EQ(registry.queryValue(HKCU, "software\\shared\\ø5", "æ39", 255, value, size),
              RegistryStatus::Ok);
    EXPECT_EQ(value.type, RegistryType::Binary);
    EXPECT_EQ(value.data, "\xE6"
                          "39");
}

TEST(SqliteRegistry, AStoreThatCannotBeCreatedRefusesWritesAndFindsNothing) {
    testing::TempFolder folder;
    // A file where the store's folder should be: nothing can be created there.
    std::ofstream(folder.path() / "home") << "not a folder";
    SqliteRegistry registry(folder.str() + "/home/registry.db");
    EXPECT_EQ(registry.createKey(HKCU, "Software\\Lexitray\\Temp"), RegistryStatus::AccessDenied);
    EXPECT_EQ(registry.openKey(HKCU, "Software\\Lexitray\\Temp", RegistryAccess::Read),
              RegistryStatus::NotFound);
    EXPECT_EQ(registry.openKey(HKCU, "", RegistryAccess::Write), RegistryStatus::AccessDenied);
    RegistryValue value;
    std::size_t size = 0;
    EXPECT_EQ(registry.queryValue(HKCU, "", "x", 255, value, size), RegistryStatus::NotFound);
    EXPECT_TRUE(registry.valueNames(HKCU, "").empty());
}

} // namespace
} // namespace lexi::posix
