#include "platform/failure.h"
#include "platform/fake/memory_registry.h"
#include "shared/registry/md_registry.h"
#include "shared/registry/reg_edit.h"
#include "tests/support/recording_ui.h"

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

class MdRegistryTest : public ::testing::Test {
protected:
    enum Call { Read, Write, Binary, Number, Delete };
    // One call below HKEY_CURRENT_USER (or, when the key has a root of its own,
    // by it): the answer (a write's with the type and bytes stored), then "!"
    // and each message box shown. `value` is the text written or the buffer
    // size read with; Delete without a name deletes the key.
    struct Row {
        Call call;
        std::string key, name, value, expected;
    };

    std::string answer(const Row& row) {
        const std::string key = (row.key.starts_with("HK") ? "" : "HKEY_CURRENT_USER\\") + row.key;
        if (row.call == Read) {
            std::int32_t size = row.value.empty() ? 0 : std::stoi(row.value);
            const auto read = module.ReadRegistryValue(key, row.name, size);
            return read.value_or("none") + "|" + std::to_string(size);
        }
        if (row.call == Delete) {
            return std::to_string(row.name.empty() ? module.DeleteRegistryKey(key)
                                                   : module.DeleteRegistryValue(key, row.name));
        }
        const bool written = module.WriteRegistryValue(key, row.name, row.value, row.call == Binary,
                                                       row.call == Number);
        RegistryValue stored;
        std::size_t size = 0;
        if (!written || registry.queryValue(RegistryRoot::CurrentUser, row.key, row.name, 4096,
                                            stored, size) != RegistryStatus::Ok) {
            return std::to_string(written);
        }
        return std::to_string(static_cast<int>(stored.type)) + ":" + stored.data;
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
    ASSERT_EQ(registry.createKey(RegistryRoot::CurrentUser, "L"), RegistryStatus::Ok);
    registry.denyAccess(RegistryRoot::CurrentUser, "L");
    const std::string denied = "!ACCESSVIOLATION|16|ERROR: Unauthorized attempt to ";
    const std::string denial = "0" + denied + "write in registry!";
    // clang-format off
    run({
        // Texts go in the code page with their NUL; a read stops at the first NUL.
        {Write, "S\\P", "Mal", "Århus", "0:\xC5rhus\0"s}, {Read, "s\\p", "MAL", "", "Århus|6"},
        {Write, "K", "empty", "", "0:\0\0"s},          {Read, "K", "empty", "", "|2"},
        {Binary, "K", "bin", "Æ1", "1:\xC6" "1\0"s}, {Number, "K", "num", "258", "2:\x02\x01\0\0"s},
        {Binary, "K", "multi", "first\0second\0"s, "1:first\0second\0\0"s},
        {Read, "K", "num", "", "\x02\x01|4"},          {Read, "K", "multi", "", "first|14"},
        // A buffer below 255 is raised to it; the value's size comes back.
        {Write, "K", "long", x300, "0:" + x300 + "\0"s}, {Read, "K", "missing", "", "none|255"},
        {Read, "K", "long", "", "none|301"},           {Read, "K", "long", "400", x300 + "|301"},
        // Deleting what is missing, or a key with subkeys, fails quietly; so
        // does a path without a root.
        {Write, "S\\Temp", "WriteTest", "TEST", "0:TEST\0"s},
        {Delete, "S\\Temp", "Writetest", "", "1"},     {Delete, "S\\Temp", "Writetest", "", "0"},
        {Delete, "S", "", "", "0"},                    {Delete, "S\\Temp", "", "", "1"},
        {Delete, "S\\Temp", "", "", "0"},              {Delete, "Nothing", "v", "", "0"},
        {Read, "HKCU\\S", "v", "", "none|0"},          {Write, "HKCU\\S", "v", "1", "0"},
        {Delete, "HKCU\\S", "v", "", "0"},             {Delete, "HKCU\\S", "", "", "0"},
        // A refusal is told to the user.
        {Read, "L", "v", "", "none|255" + denied + "read in registry!"},
        {Write, "L", "", "", denial}, {Delete, "L", "v", "", denial}, {Delete, "L", "", "", denial},
    });
    // clang-format on
    // RegEdit writes, reads, fails on a missing value and deletes.
    RegEdit regEdit(module);
    const std::string sag = "HKEY_CURRENT_USER\\Sag";
    EXPECT_TRUE(regEdit.WriteRegKey(sag, "Nr", "12-æ"));
    EXPECT_EQ(regEdit.GetRegKey(sag, "nr"), "12-æ");
    try {
        regEdit.GetRegKey(sag, "Mangler");
        FAIL() << "a missing value must fail";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), failure::InvalidUseOfNull);
    }
    EXPECT_EQ((std::pair{regEdit.DeleteRegKey(sag), regEdit.DeleteRegKey(sag)}),
              std::pair(true, false));
    // Any other failure to write is unknown.
    registry.failWrites(RegistryStatus::Other);
    run({{Write, "K", "v", "1",
          "0!REGISTRY ERROR|16|ERROR: Unknown error when writing in registry!"}});
}

} // namespace
} // namespace lexi
