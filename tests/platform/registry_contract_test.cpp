// The rules every registry implementation keeps, run against each of them.

#include "platform/fake/memory_registry.h"
#include "platform/posix/sqlite_registry.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

using enum RegistryStatus;
constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr auto Read = RegistryAccess::Read;

// Each implementation over a store of its own.
template <typename Implementation> Implementation open(const testing::TempFolder& folder) {
    if constexpr (std::is_constructible_v<Implementation, std::string>) {
        return Implementation(folder.str() + "/store/registry.db");
    } else {
        return Implementation();
    }
}

template <typename Implementation> class RegistryContract : public ::testing::Test {
protected:
    RegistryStatus set(std::string_view key, std::string_view name, std::string data,
                       RegistryType type = RegistryType::String) {
        return registry.setValue(HKCU, key, name, {type, std::move(data)});
    }
    RegistryStatus query(std::string_view key, std::string_view name, std::size_t capacity = 1024) {
        return registry.queryValue(HKCU, key, name, capacity, value, size);
    }

    testing::TempFolder folder;
    Implementation registry = open<Implementation>(folder);
    RegistryValue value;
    std::size_t size = 0;
};

using Implementations = ::testing::Types<fake::MemoryRegistry, posix::SqliteRegistry>;
TYPED_TEST_SUITE(RegistryContract, Implementations);

TYPED_TEST(RegistryContract, StoresValuesUnderNamesWithoutCaseInTheirFirstOrder) {
    Registry& registry = this->registry;
    const std::string text("TEST\0", 5), one("\x01\x00\x00\x00", 4), big(301, 'x');
    // Parents are created; a value set again keeps its first name and place.
    EXPECT_EQ((std::vector{registry.createKey(HKCU, "Software\\Lexitray\\Tæst"),
                           registry.openKey(HKCU, "SOFTWARE\\lexitray", Read),
                           this->set("software\\LEXITRAY\\TÆST", "WriteTæst", text),
                           this->query("Software\\Lexitray\\tæst\\", "writetÆst")}),
              std::vector(4, Ok));
    EXPECT_EQ(std::pair(this->value.type, this->value.data), std::pair(RegistryType::String, text));
    EXPECT_EQ((std::vector{registry.createKey(HKCU, "K"), this->set("K", "b", "1"),
                           this->set("K", "a", "2"), this->set("K", "B", one, RegistryType::Dword),
                           this->query("k", "b"), this->set("K", "big", big)}),
              std::vector(6, Ok));
    EXPECT_EQ(std::pair(this->value.type, this->value.data), std::pair(RegistryType::Dword, one));
    EXPECT_EQ(registry.valueNames(HKCU, "k"), (std::vector<std::string>{"b", "a", "big"}));
    // A value too large for the buffer tells its size.
    EXPECT_EQ((std::pair{this->query("K", "big", 255), this->size}), std::pair(MoreData, 301UL));
    EXPECT_EQ(this->query("K", "big", 301), Ok);
    EXPECT_EQ(this->value.data, big);
}

TYPED_TEST(RegistryContract, AnswersNotFoundForMissingKeysAndRefusesMalformedPaths) {
    Registry& registry = this->registry;
    // Each root its own tree; the root key holds values too.
    EXPECT_EQ(
        (std::vector{
            registry.createKey(HKCU, "Software\\Empty"),
            registry.createKey(RegistryRoot::LocalMachine, "Software\\X"),
            registry.openKey(HKCU, "Software\\Nothing", Read),
            this->query("Software\\Nothing", "x"), this->set("Software\\Nothing", "x", "y"),
            this->query("Software\\Empty", "x"), registry.deleteValue(HKCU, "Software\\Empty", "x"),
            registry.deleteKey(HKCU, "Software\\Nothing"),
            registry.openKey(HKCU, "Software\\X", Read), registry.createKey(HKCU, "a\\\\b"),
            registry.createKey(HKCU, "\\a"), registry.openKey(HKCU, "a\\\\b", Read),
            registry.openKey(HKCU, "", Read), this->set("", "", "default"), this->query("", "")}),
        (std::vector{Ok, Ok, NotFound, NotFound, NotFound, NotFound, NotFound, NotFound, NotFound,
                     Other, Other, Other, Ok, Ok, Ok}));
    EXPECT_EQ(this->value.data, "default");
}

TYPED_TEST(RegistryContract, DeletesOnlyKeysWithoutSubkeys) {
    Registry& registry = this->registry;
    // A key created again starts without the values of its namesake; the root key stays.
    EXPECT_EQ((std::vector{registry.createKey(HKCU, "A\\B"), registry.createKey(HKCU, "AB"),
                           this->set("A", "v", "1"), registry.deleteKey(HKCU, "A"),
                           registry.deleteKey(HKCU, "a\\b"), registry.deleteKey(HKCU, "A"),
                           registry.openKey(HKCU, "AB", Read), registry.createKey(HKCU, "A"),
                           registry.deleteKey(HKCU, "")}),
              (std::vector{Ok, Ok, Ok, Other, Ok, Ok, Ok, Ok, AccessDenied}));
    EXPECT_TRUE(registry.valueNames(HKCU, "A").empty());
}

} // namespace
} // namespace lexi
