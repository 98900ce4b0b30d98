#include "platform/failure.h"
#include "platform/fake/memory_registry.h"
#include "shared/registry/md_registry.h"
#include "shared/registry/reg_edit.h"
#include "tests/support/recording_ui.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(SelectRoot, RecognisesTheFourPrefixesOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {"HKEY_CLASSES_ROOT\\.msg", "0|.msg"},
        {"HKEY_CURRENT_USER\\Software\\X", "1|Software\\X"},
        {"hkey_current_user\\Software\\X", "1|Software\\X"},
        {"HKEY_LOCAL_MACHINE\\SOFTWARE", "2|SOFTWARE"},
        {"HKEY_USERS\\.DEFAULT", "3|.DEFAULT"},
        {"HKEY_CURRENT_USER\\", "1|"},
        {"HKCU\\Software\\X", "none"},
        {"HKEY_CURRENT_USER", "none"},
        {"HKEY_CURRENT_CONFIG\\X", "none"},
        {" HKEY_CURRENT_USER\\X", "none"},
    };
    for (const auto& [path, expected] : cases) {
        const auto key = SelectRoot(path);
        EXPECT_EQ(key ? std::to_string(static_cast<int>(key->root)) + "|" + key->subkey : "none",
                  expected)
            << path;
    }
    EXPECT_EQ(CutAtNul(std::string("ab\0cd", 5)), "ab");
    EXPECT_EQ(CutAtNul("abc"), "abc");
}

// Bytes outside printable ASCII as \xHH.
std::string escaped(const std::string& bytes) {
    std::string result;
    for (const unsigned char c : bytes) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        result += c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c)) : hex;
    }
    return result;
}

class MdRegistryTest : public ::testing::Test {
protected:
    enum Call { Read, Write, Binary, Number, Delete };
    // One call below HKEY_CURRENT_USER: the answer (a write's with the type
    // and bytes stored), then "!" and each message box shown. `value` is the
    // text written or the buffer size read with; Delete without a name
    // deletes the key.
    struct Row {
        Call call;
        std::string key, name, value, expected;
    };

    std::string answer(const Row& row) {
        const std::string key = "HKEY_CURRENT_USER\\" + row.key;
        if (row.call == Read) {
            std::int32_t size = row.value.empty() ? 0 : std::stoi(row.value);
            const auto read = module.ReadRegistryValue(key, row.name, size);
            return read.value_or("none") + "|" + std::to_string(size);
        }
        if (row.call == Delete) {
            return row.name.empty() ? std::to_string(module.DeleteRegistryKey(key))
                                    : std::to_string(module.DeleteRegistryValue(key, row.name));
        }
        const bool written = module.WriteRegistryValue(key, row.name, row.value, row.call == Binary,
                                                       row.call == Number);
        RegistryValue stored;
        std::size_t size = 0;
        if (!written || registry.queryValue(RegistryRoot::CurrentUser, row.key, row.name, 4096,
                                            stored, size) != RegistryStatus::Ok) {
            return std::to_string(written);
        }
        return std::to_string(static_cast<int>(stored.type)) + ":" + escaped(stored.data);
    }

    void run(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            ui.records.clear();
            std::string seen = answer(row);
            for (const std::string& message : ui.messages()) {
                seen += "!" + message;
            }
            EXPECT_EQ(seen, row.expected) << row.call << " " << row.key << " " << row.name;
        }
    }

    fake::MemoryRegistry registry;
    testing::RecordingUi ui;
    mdRegistry module{registry, ui};
};

TEST_F(MdRegistryTest, StoresReadsAndDeletesAsTheRegistryAllows) {
    const std::string x300(300, 'x');
    ASSERT_EQ(registry.createKey(RegistryRoot::CurrentUser, "K"), RegistryStatus::Ok);
    ASSERT_EQ(registry.setValue(RegistryRoot::CurrentUser, "K", "multi",
                                {RegistryType::Binary, std::string("first\0second\0\0", 14)}),
              RegistryStatus::Ok);
    run({
        // Texts go in the code page with their NUL; a read stops at the first NUL.
        {Write, "Software\\Lexitray\\PDF", "PDF Template", "Brevpapir Århus",
         "0:Brevpapir \\xC5rhus\\x00"},
        {Read, "software\\lexitray\\pdf", "pdf template", "", "Brevpapir Århus|16"},
        {Write, "K", "empty", "", "0:\\x00\\x00"},
        {Read, "K", "empty", "", "|2"},
        {Binary, "K", "bin", "Æ1", "1:\\xC61\\x00"},
        {Number, "K", "num", "258", "2:\\x02\\x01\\x00\\x00"},
        {Read, "K", "num", "", "\x02\x01|4"},
        {Read, "K", "multi", "", "first|14"},
        // A buffer below 255 is raised to it; the value's size comes back.
        {Write, "K", "long", x300, "0:" + x300 + "\\x00"},
        {Read, "K", "long", "", "none|301"},
        {Read, "K", "long", "400", x300 + "|301"},
        {Read, "K", "missing", "", "none|255"},
        // Deleting what is missing, or a key with subkeys, fails quietly.
        {Write, "Software\\Lexitray\\Temp", "WriteTest", "TEST", "0:TEST\\x00"},
        {Delete, "Software\\Lexitray\\Temp", "Writetest", "", "1"},
        {Delete, "Software\\Lexitray\\Temp", "Writetest", "", "0"},
        {Delete, "Software\\Lexitray", "", "", "0"},
        {Delete, "Software\\Lexitray\\Temp", "", "", "1"},
        {Delete, "Software\\Lexitray\\Temp", "", "", "0"},
        {Delete, "Software\\Nothing", "v", "", "0"},
        {Write, "Locked\\Sub", "v", "1", "0:1\\x00"},
    });
    // A refusal is told to the user; any other failure to write is unknown.
    registry.denyAccess(RegistryRoot::CurrentUser, "Locked");
    const std::string denied = "!ACCESSVIOLATION|16|ERROR: Unauthorized attempt to ";
    run({
        {Read, "Locked\\Sub", "v", "", "none|255" + denied + "read in registry!"},
        {Write, "Locked\\Sub", "v", "2", "0" + denied + "write in registry!"},
        {Delete, "Locked\\Sub", "v", "", "0" + denied + "write in registry!"},
        {Delete, "Locked\\Sub", "", "", "0" + denied + "write in registry!"},
    });
    registry.failWrites(RegistryStatus::Other);
    run({{Write, "K", "v", "1",
          "0!REGISTRY ERROR|16|ERROR: Unknown error when writing in registry!"}});
}

TEST_F(MdRegistryTest, PathsWithoutARootFailQuietly) {
    std::int32_t size = 0;
    EXPECT_FALSE(module.ReadRegistryValue("HKCU\\Software\\X", "v", size));
    EXPECT_EQ(size, 0);
    EXPECT_FALSE(module.WriteRegistryValue("HKCU\\Software\\X", "v", "1", false));
    EXPECT_FALSE(module.DeleteRegistryValue("HKCU\\Software\\X", "v"));
    EXPECT_FALSE(module.DeleteRegistryKey("HKCU\\Software\\X"));
    EXPECT_TRUE(ui.records.empty());
}

TEST_F(MdRegistryTest, RegEditWritesReadsAndDeletes) {
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
