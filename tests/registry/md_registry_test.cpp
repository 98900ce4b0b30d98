#include "platform/failure.h"
#include "platform/fake/memory_registry.h"
#include "tests/registry/md_registry_scenario.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

using namespace std::string_literals;

TEST(SelectRoot, RecognisesTheFourPrefixesOnly) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"HKEY_CLASSES_ROOT\\.msg", "0|.msg"},     {"hkey_current_user\\S\\X", "1|S\\X"},
        {"HKEY_LOCAL_MACHINE\\SOFTWARE", "2|SOFTWARE"}, {"HKEY_USERS\\.DEFAULT", "3|.DEFAULT"},
        {"HKEY_CURRENT_USER\\", "1|"},             {"HKEY_CURRENT_USER", "none"},
        {"HKEY_CURRENT_CONFIG\\X", "none"},        {" HKEY_CURRENT_USER\\X", "none"},
    };
    // clang-format on
    for (const auto& [path, expected] : cases) {
        const auto key = SelectRoot(path);
        EXPECT_EQ(key ? std::to_string(int(key->root)) + "|" + key->subkey : "none", expected);
    }
    EXPECT_EQ(CutAtNul(std::string("ab\0cd", 5)) + CutAtNul("abc"), "ababc");
}

struct MemoryStore {
    fake::MemoryRegistry registry;
};

} // namespace
} // namespace lexi

namespace lexi::registry_scenario {

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryModuleScenario, MemoryStore);

// What only the registry in memory can do: refuse the caller.
using MemoryRegistryModule = RegistryModuleScenario<MemoryStore>;

TEST_F(MemoryRegistryModule, TellsTheUserOfRefusals) {
    ASSERT_EQ(registry.createKey(RegistryRoot::CurrentUser, "L"), RegistryStatus::Ok);
    store.registry.denyAccess(RegistryRoot::CurrentUser, "L");
    const std::string denied = "!ACCESSVIOLATION|16|ERROR: Unauthorized attempt to ";
    const std::string denial = "0" + denied + "write in registry!";
    run({
        {Read, "L", "v", "", "none|255" + denied + "read in registry!"},
        {Write, "L", "", "", denial},
        {Delete, "L", "v", "", denial},
        {Delete, "L", "", "", denial},
    });
    // Any other failure to write is unknown.
    store.registry.failWrites(RegistryStatus::Other);
    run({{Write, "K", "v", "1",
          "0!REGISTRY ERROR|16|ERROR: Unknown error when writing in registry!"}});
}

} // namespace lexi::registry_scenario
