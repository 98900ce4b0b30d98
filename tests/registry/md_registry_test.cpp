#include "platform/failure.h"
#include "platform/fake/memory_registry.h"
#include "shared/registry/md_registry.h"
#include "shared/registry/reg_edit.h"
#include "tests/support/recording_ui.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

using Messages = std::vector<std::string>;
const std::string ReadDenied =
    "ACCESSVIOLATION|16|ERROR: Unauthorized attempt to read in registry!";
const std::string WriteDenied =
    "ACCESSVIOLATION|16|ERROR: Unauthorized attempt to write in registry!";
const std::string WriteUnknown = "REGISTRY ERROR|16|ERROR: Unknown error when writing in registry!";

class MdRegistryTest : public ::testing::Test {
protected:
    std::optional<std::string> read(std::string_view key, std::string_view name,
                                    std::int32_t bufferSize = 0) {
        return module.ReadRegistryValue(key, name, bufferSize);
    }

    fake::MemoryRegistry registry;
    testing::RecordingUi ui;
    mdRegistry module{registry, ui};
};

struct RootCase {
    std::string path;
    std::optional<RegistryRoot> root;
    std::string subkey;
};

void PrintTo(const RootCase& c, std::ostream* os) {
    *os << c.path;
}

class SelectRootTest : public ::testing::TestWithParam<RootCase> {};

TEST_P(SelectRootTest, RecognisesTheFourPrefixesOnly) {
    const auto key = SelectRoot(GetParam().path);
    ASSERT_EQ(key.has_value(), GetParam().root.has_value());
    if (key) {
        EXPECT_EQ(key->root, *GetParam().root);
        EXPECT_EQ(key->subkey, GetParam().subkey);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, SelectRootTest,
    ::testing::Values(
        RootCase{"HKEY_CLASSES_ROOT\\.msg", RegistryRoot::ClassesRoot, ".msg"},
        RootCase{"HKEY_CURRENT_USER\\Software\\X", RegistryRoot::CurrentUser, "Software\\X"},
        RootCase{"hkey_current_user\\Software\\X", RegistryRoot::CurrentUser, "Software\\X"},
        RootCase{"HKEY_LOCAL_MACHINE\\SOFTWARE", RegistryRoot::LocalMachine, "SOFTWARE"},
        RootCase{"HKEY_USERS\\.DEFAULT", RegistryRoot::Users, ".DEFAULT"},
        RootCase{"HKEY_CURRENT_USER\\", RegistryRoot::CurrentUser, ""},
        RootCase{"HKCU\\Software\\X", std::nullopt, ""},
        RootCase{"HKEY_CURRENT_USER", std::nullopt, ""},
        RootCase{"HKEY_CURRENT_CONFIG\\X", std::nullopt, ""},
        RootCase{" HKEY_CURRENT_USER\\X", std::nullopt, ""}));

TEST_F(MdRegistryTest, PathsWithoutARootFailQuietly) {
    std::int32_t size = 0;
    EXPECT_FALSE(module.ReadRegistryValue("HKCU\\Software\\X", "v", size));
    EXPECT_EQ(size, 0);
    EXPECT_FALSE(module.WriteRegistryValue("HKCU\\Software\\X", "v", "1", false));
    EXPECT_FALSE(module.DeleteRegistryValue("HKCU\\Software\\X", "v"));
    EXPECT_FALSE(module.DeleteRegistryKey("HKCU\\Software\\X"));
    EXPECT_TRUE(ui.records.empty());
}

TEST_F(MdRegistryTest, WritesTextsAsCodePageStringsAndReadsThemBack) {
    ASSERT_TRUE(module.WriteRegistryValue("HKEY_CURRENT_USER\\Software\\Lexitray\\PDF",
                                          "PDF Template", "Brevpapir Århus", false));
    RegistryValue stored;
    std::size_t size = 0;
    ASSERT_EQ(registry.queryValue(RegistryRoot::CurrentUser, "Software\\Lexitray\\PDF",
                                  "PDF Template", 255, stored, size),
              RegistryStatus::Ok);
    EXPECT_EQ(stored.type, RegistryType::String);
    EXPECT_EQ(stored.data, std::string("Brevpapir \xC5rhus\0", 16));
    EXPECT_EQ(read("hkey_current_user\\software\\lexitray\\pdf", "pdf template"),
              "Brevpapir Århus");
}

TEST_F(MdRegistryTest, StoresTheEmptyTextAsOneNul) {
    ASSERT_TRUE(module.WriteRegistryValue("HKEY_CURRENT_USER\\K", "v", "", false));
    RegistryValue stored;
    std::size_t size = 0;
    ASSERT_EQ(registry.queryValue(RegistryRoot::CurrentUser, "K", "v", 255, stored, size),
              RegistryStatus::Ok);
    EXPECT_EQ(stored.data, std::string("\0\0", 2));
    EXPECT_EQ(read("HKEY_CURRENT_USER\\K", "v"), "");
}

TEST_F(MdRegistryTest, WritesBinaryAndNumberValues) {
    ASSERT_TRUE(module.WriteRegistryValue("HKEY_CURRENT_USER\\K", "bin", "Æ1", true));
    ASSERT_TRUE(module.WriteRegistryValue("HKEY_CURRENT_USER\\K", "num", "258", false, true));
    RegistryValue stored;
    std::size_t size = 0;
    ASSERT_EQ(registry.queryValue(RegistryRoot::CurrentUser, "K", "bin", 255, stored, size),
              RegistryStatus::Ok);
    EXPECT_EQ(stored.type, RegistryType::Binary);
    EXPECT_EQ(stored.data, std::string("\xC6"
                                       "1\0",
                                       3));
    ASSERT_EQ(registry.queryValue(RegistryRoot::CurrentUser, "K", "num", 255, stored, size),
              RegistryStatus::Ok);
    EXPECT_EQ(stored.type, RegistryType::Dword);
    EXPECT_EQ(stored.data, std::string("\x02\x01\x00\x00", 4));
    // A number reads back as its bytes up to the first zero byte.
    EXPECT_EQ(read("HKEY_CURRENT_USER\\K", "num"), "\x02\x01");
}

TEST_F(MdRegistryTest, ReadsStopAtTheFirstNul) {
    ASSERT_EQ(registry.createKey(RegistryRoot::CurrentUser, "K"), RegistryStatus::Ok);
    ASSERT_EQ(registry.setValue(RegistryRoot::CurrentUser, "K", "multi",
                                {RegistryType::Binary, std::string("first\0second\0\0", 14)}),
              RegistryStatus::Ok);
    EXPECT_EQ(read("HKEY_CURRENT_USER\\K", "multi"), "first");
    EXPECT_EQ(CutAtNul(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(CutAtNul("abc"), "abc");
}

TEST_F(MdRegistryTest, RaisesASmallBufferTo255AndReportsTheValuesSize) {
    ASSERT_TRUE(module.WriteRegistryValue("HKEY_CURRENT_USER\\K", "short", "abc", false));
    ASSERT_TRUE(
        module.WriteRegistryValue("HKEY_CURRENT_USER\\K", "long", std::string(300, 'x'), false));
    std::int32_t size = 0;
    EXPECT_EQ(module.ReadRegistryValue("HKEY_CURRENT_USER\\K", "short", size), "abc");
    EXPECT_EQ(size, 4);
    size = 0;
    EXPECT_FALSE(module.ReadRegistryValue("HKEY_CURRENT_USER\\K", "long", size));
    EXPECT_EQ(size, 301);
    size = 400;
    EXPECT_EQ(module.ReadRegistryValue("HKEY_CURRENT_USER\\K", "long", size),
              std::string(300, 'x'));
    EXPECT_EQ(size, 301);
    size = 0;
    EXPECT_FALSE(module.ReadRegistryValue("HKEY_CURRENT_USER\\K", "missing", size));
    EXPECT_EQ(size, 255);
    EXPECT_TRUE(ui.records.empty());
}

TEST_F(MdRegistryTest, DeletesValuesAndKeysQuietlyWhenMissing) {
    ASSERT_TRUE(module.WriteRegistryValue("HKEY_CURRENT_USER\\Software\\Lexitray\\Temp",
                                          "WriteTest", "TEST", false));
    EXPECT_TRUE(
        module.DeleteRegistryValue("HKEY_CURRENT_USER\\Software\\Lexitray\\Temp", "Writetest"));
    EXPECT_FALSE(
        module.DeleteRegistryValue("HKEY_CURRENT_USER\\Software\\Lexitray\\Temp", "Writetest"));
    EXPECT_FALSE(module.DeleteRegistryKey("HKEY_CURRENT_USER\\Software\\Lexitray"));
    EXPECT_TRUE(module.DeleteRegistryKey("HKEY_CURRENT_USER\\Software\\Lexitray\\Temp"));
    EXPECT_FALSE(module.DeleteRegistryKey("HKEY_CURRENT_USER\\Software\\Lexitray\\Temp"));
    EXPECT_FALSE(module.DeleteRegistryValue("HKEY_CURRENT_USER\\Software\\Nothing", "v"));
    EXPECT_TRUE(ui.records.empty());
}

TEST_F(MdRegistryTest, TellsTheUserWhenTheRegistryRefuses) {
    module.WriteRegistryValue("HKEY_CURRENT_USER\\Locked\\Sub", "v", "1", false);
    registry.denyAccess(RegistryRoot::CurrentUser, "Locked");
    EXPECT_FALSE(read("HKEY_CURRENT_USER\\Locked\\Sub", "v"));
    EXPECT_FALSE(module.WriteRegistryValue("HKEY_CURRENT_USER\\Locked\\Sub", "v", "2", false));
    EXPECT_FALSE(module.DeleteRegistryValue("HKEY_CURRENT_USER\\Locked\\Sub", "v"));
    EXPECT_FALSE(module.DeleteRegistryKey("HKEY_CURRENT_USER\\Locked\\Sub"));
    EXPECT_EQ(ui.messages(), (Messages{ReadDenied, WriteDenied, WriteDenied, WriteDenied}));
}

TEST_F(MdRegistryTest, NamesOtherWriteFailuresUnknown) {
    registry.failWrites(RegistryStatus::Other);
    EXPECT_FALSE(module.WriteRegistryValue("HKEY_CURRENT_USER\\K", "v", "1", false));
    EXPECT_EQ(ui.messages(), Messages{WriteUnknown});
}

TEST(RegEdit, WritesReadsAndDeletes) {
    fake::MemoryRegistry registry;
    testing::RecordingUi ui;
    mdRegistry module(registry, ui);
    RegEdit regEdit(module);
    EXPECT_TRUE(regEdit.WriteRegKey("HKEY_CURRENT_USER\\Software\\Sag", "Nr", "12-æ"));
    EXPECT_EQ(regEdit.GetRegKey("HKEY_CURRENT_USER\\Software\\Sag", "nr"), "12-æ");
    try {
        regEdit.GetRegKey("HKEY_CURRENT_USER\\Software\\Sag", "Mangler");
        FAIL() << "a missing value must fail";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), failure::InvalidUseOfNull);
        EXPECT_EQ(failure.description(), "Invalid use of Null");
    }
    EXPECT_TRUE(regEdit.DeleteRegKey("HKEY_CURRENT_USER\\Software\\Sag"));
    EXPECT_FALSE(regEdit.DeleteRegKey("HKEY_CURRENT_USER\\Software\\Sag"));
}

} // namespace
} // namespace lexi
