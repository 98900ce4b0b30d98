#include "platform/posix/sqlite_registry.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lexi::posix {
namespace {

constexpr auto HKCU = RegistryRoot::CurrentUser;

TEST(SqliteRegistry, SeveralProcessesWritingAtOnceLoseNothing) {
    testing::TempFolder folder;
    const std::string path = folder.str() + "/registry.db";
    constexpr int Writers = 6;
    constexpr int ValuesEach = 40;
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SqliteRegistry registry(path);
            int failures = 0;
            for (int i = 0; i < ValuesEach; ++i) {
                const std::string key = "Software\\Shared\\W" + std::to_string(w);
                failures += registry.createKey(HKCU, key) != RegistryStatus::Ok;
                failures += registry.setValue(HKCU, key, std::string("v").append(std::to_string(i)),
                                              {RegistryType::String, std::to_string(i)}) !=
                            RegistryStatus::Ok;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    SqliteRegistry registry(path);
    for (int w = 0; w < Writers; ++w) {
        EXPECT_EQ(registry.valueNames(HKCU, "Software\\Shared\\W" + std::to_string(w)).size(),
                  static_cast<std::size_t>(ValuesEach));
    }
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

TEST(SqliteRegistry, KeepsValuesForTheNextProcess) {
    testing::TempFolder folder;
    const std::string path = folder.str() + "/registry.db";
    {
        SqliteRegistry registry(path);
        ASSERT_EQ(registry.createKey(HKCU, "Software\\Lexitray"), RegistryStatus::Ok);
        ASSERT_EQ(
            registry.setValue(HKCU, "Software\\Lexitray", "Æ", {RegistryType::Binary, "\xE6"}),
            RegistryStatus::Ok);
    }
    SqliteRegistry registry(path);
    RegistryValue value;
    std::size_t size = 0;
    ASSERT_EQ(registry.queryValue(HKCU, "software\\lexitray", "æ", 255, value, size),
              RegistryStatus::Ok);
    EXPECT_EQ(value.type, RegistryType::Binary);
    EXPECT_EQ(value.data, "\xE6");
}

} // namespace
} // namespace lexi::posix
