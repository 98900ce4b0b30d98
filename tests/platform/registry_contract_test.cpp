// The rules every registry implementation keeps, run against each of them.

#include "platform/fake/memory_registry.h"
#include "platform/posix/sqlite_registry.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <memory>

namespace lexi {
namespace {

constexpr auto HKCU = RegistryRoot::CurrentUser;

struct MemoryFactory {
    std::unique_ptr<Registry> make() { return std::make_unique<fake::MemoryRegistry>(); }
};

struct SqliteFactory {
    testing::TempFolder folder;
    std::unique_ptr<Registry> make() {
        return std::make_unique<posix::SqliteRegistry>(folder.str() + "/store/registry.db");
    }
};

template <typename Factory> class RegistryContract : public ::testing::Test {
protected:
    Factory factory;
    std::unique_ptr<Registry> registry = factory.make();

    RegistryStatus set(std::string_view key, std::string_view name, std::string data,
                       RegistryType type = RegistryType::String) {
        return registry->setValue(HKCU, key, name, {type, std::move(data)});
    }
    RegistryStatus query(std::string_view key, std::string_view name, RegistryValue& value,
                         std::size_t capacity = 1024) {
        std::size_t size = 0;
        return registry->queryValue(HKCU, key, name, capacity, value, size);
    }
};

using Implementations = ::testing::Types<MemoryFactory, SqliteFactory>;
TYPED_TEST_SUITE(RegistryContract, Implementations);

TYPED_TEST(RegistryContract, CreatesParentsAndComparesNamesWithoutCase) {
    ASSERT_EQ(this->registry->createKey(HKCU, "Software\\Lexitray\\Tæst"), RegistryStatus::Ok);
    EXPECT_EQ(this->registry->openKey(HKCU, "SOFTWARE\\lexitray", RegistryAccess::Read),
              RegistryStatus::Ok);
    EXPECT_EQ(this->set("software\\LEXITRAY\\TÆST", "WriteTest", std::string("TEST\0", 5)),
              RegistryStatus::Ok);
    RegistryValue value;
    ASSERT_EQ(this->query("Software\\Lexitray\\tæst\\", "writetest", value), RegistryStatus::Ok);
    EXPECT_EQ(value.data, std::string("TEST\0", 5));
    EXPECT_EQ(value.type, RegistryType::String);
    EXPECT_EQ(this->registry->valueNames(HKCU, "software\\lexitray\\tæst"),
              std::vector<std::string>{"WriteTest"});
}

TYPED_TEST(RegistryContract, AnswersNotFoundForMissingKeysAndRefusesMalformedPaths) {
    Registry& registry = *this->registry;
    RegistryValue value;
    EXPECT_EQ(registry.openKey(HKCU, "Software\\Nothing", RegistryAccess::Read),
              RegistryStatus::NotFound);
    EXPECT_EQ(this->query("Software\\Nothing", "x", value), RegistryStatus::NotFound);
    EXPECT_EQ(this->set("Software\\Nothing", "x", "y"), RegistryStatus::NotFound);
    ASSERT_EQ(registry.createKey(HKCU, "Software\\Empty"), RegistryStatus::Ok);
    EXPECT_EQ(this->query("Software\\Empty", "x", value), RegistryStatus::NotFound);
    EXPECT_EQ(registry.deleteValue(HKCU, "Software\\Empty", "x"), RegistryStatus::NotFound);
    EXPECT_EQ(registry.deleteKey(HKCU, "Software\\Nothing"), RegistryStatus::NotFound);
    // Each root its own tree.
    ASSERT_EQ(registry.createKey(RegistryRoot::LocalMachine, "Software\\X"), RegistryStatus::Ok);
    EXPECT_EQ(registry.openKey(HKCU, "Software\\X", RegistryAccess::Read),
              RegistryStatus::NotFound);
    EXPECT_EQ(registry.createKey(HKCU, "a\\\\b"), RegistryStatus::Other);
    EXPECT_EQ(registry.createKey(HKCU, "\\a"), RegistryStatus::Other);
    EXPECT_EQ(registry.openKey(HKCU, "a\\\\b", RegistryAccess::Read), RegistryStatus::Other);
    // The root key holds values too.
    EXPECT_EQ(registry.openKey(HKCU, "", RegistryAccess::Read), RegistryStatus::Ok);
    EXPECT_EQ(this->set("", "", "default"), RegistryStatus::Ok);
    EXPECT_EQ(this->query("", "", value), RegistryStatus::Ok);
    EXPECT_EQ(value.data, "default");
}

TYPED_TEST(RegistryContract, ReportsTheSizeOfAValueTooLargeForTheBuffer) {
    ASSERT_EQ(this->registry->createKey(HKCU, "K"), RegistryStatus::Ok);
    ASSERT_EQ(this->set("K", "big", std::string(301, 'x')), RegistryStatus::Ok);
    RegistryValue value;
    std::size_t size = 0;
    EXPECT_EQ(this->registry->queryValue(HKCU, "K", "big", 255, value, size),
              RegistryStatus::MoreData);
    EXPECT_EQ(size, 301U);
    EXPECT_EQ(this->registry->queryValue(HKCU, "K", "big", 301, value, size), RegistryStatus::Ok);
    EXPECT_EQ(value.data.size(), 301U);
}

TYPED_TEST(RegistryContract, ReplacesValuesAndKeepsTheirFirstOrder) {
    ASSERT_EQ(this->registry->createKey(HKCU, "K"), RegistryStatus::Ok);
    ASSERT_EQ(this->set("K", "b", "1"), RegistryStatus::Ok);
    ASSERT_EQ(this->set("K", "a", "2"), RegistryStatus::Ok);
    ASSERT_EQ(this->set("K", "B", std::string("\x01\x00\x00\x00", 4), RegistryType::Dword),
              RegistryStatus::Ok);
    EXPECT_EQ(this->registry->valueNames(HKCU, "K"), (std::vector<std::string>{"b", "a"}));
    RegistryValue value;
    ASSERT_EQ(this->query("K", "b", value), RegistryStatus::Ok);
    EXPECT_EQ(value.type, RegistryType::Dword);
    EXPECT_EQ(value.data.size(), 4U);
}

TYPED_TEST(RegistryContract, DeletesOnlyKeysWithoutSubkeys) {
    ASSERT_EQ(this->registry->createKey(HKCU, "Software\\A\\B"), RegistryStatus::Ok);
    ASSERT_EQ(this->registry->createKey(HKCU, "Software\\AB"), RegistryStatus::Ok);
    ASSERT_EQ(this->set("Software\\A", "v", "1"), RegistryStatus::Ok);
    EXPECT_EQ(this->registry->deleteKey(HKCU, "Software\\A"), RegistryStatus::Other);
    EXPECT_EQ(this->registry->deleteKey(HKCU, "software\\a\\b"), RegistryStatus::Ok);
    EXPECT_EQ(this->registry->deleteKey(HKCU, "Software\\A"), RegistryStatus::Ok);
    EXPECT_EQ(this->registry->openKey(HKCU, "Software\\AB", RegistryAccess::Read),
              RegistryStatus::Ok);
    // A key created again starts without the values of its namesake.
    ASSERT_EQ(this->registry->createKey(HKCU, "Software\\A"), RegistryStatus::Ok);
    EXPECT_TRUE(this->registry->valueNames(HKCU, "Software\\A").empty());
    EXPECT_NE(this->registry->deleteKey(HKCU, ""), RegistryStatus::Ok);
}

} // namespace
} // namespace lexi
