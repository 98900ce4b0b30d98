#pragma once

// The registry module over a registry: one sequence of calls with the answers
// and values it must give, run against every registry from this one source,
// so that the stores of both builds answer alike. Each build instantiates it
// for its stores (INSTANTIATE_TYPED_TEST_SUITE_P in lexi::registry_scenario);
// a store is a type with a member `registry` that starts empty.

#include "platform/failure.h"
#include "shared/registry/md_registry.h"
#include "shared/registry/reg_edit.h"
#include "tests/support/failure_number.h"
#include "tests/support/recording_ui.h"

#include <gtest/gtest.h>

namespace lexi::registry_scenario {

using namespace std::string_literals;

template <typename Store> class RegistryModuleScenario : public ::testing::Test {
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

    Store store;
    Registry& registry = store.registry;
    testing::RecordingUi ui;
    mdRegistry module{registry, ui};
};

TYPED_TEST_SUITE_P(RegistryModuleScenario);

TYPED_TEST_P(RegistryModuleScenario, StoresReadsAndDeletesAsTheRegistryAllows) {
    using Scenario = RegistryModuleScenario<TypeParam>;
    const std::string x300(300, 'x');
    // clang-format off
    this->run({
        // Texts go in the code page with their NUL; a read stops at the first NUL.
        {Scenario::Write, "S\\P", "Mal", "Århus", "0:\xC5rhus\0"s}, {Scenario::Read, "s\\p", "MAL", "", "Århus|6"},
        {Scenario::Write, "K", "empty", "", "0:\0\0"s},          {Scenario::Read, "K", "empty", "", "|2"},
        {Scenario::Binary, "K", "bin", "Æ1", "1:\xC6" "1\0"s}, {Scenario::Number, "K", "num", "258", "2:\x02\x01\0\0"s},
        {Scenario::Binary, "K", "multi", "first\0second\0"s, "1:first\0second\0\0"s},
        {Scenario::Read, "K", "num", "", "\x02\x01|4"},          {Scenario::Read, "K", "multi", "", "first|14"},
        // A buffer below 255 is raised to it; the value's size comes back.
        {Scenario::Write, "K", "long", x300, "0:" + x300 + "\0"s}, {Scenario::Read, "K", "missing", "", "none|255"},
        {Scenario::Read, "K", "long", "", "none|301"},           {Scenario::Read, "K", "long", "400", x300 + "|301"},
        // Deleting what is missing, or a key with subkeys, fails quietly; so
        // does a path without a root.
        {Scenario::Write, "S\\Temp", "WriteTest", "TEST", "0:TEST\0"s},
        {Scenario::Delete, "S\\Temp", "Writetest", "", "1"},     {Scenario::Delete, "S\\Temp", "Writetest", "", "0"},
        {Scenario::Delete, "S", "", "", "0"},                    {Scenario::Delete, "S\\Temp", "", "", "1"},
        {Scenario::Delete, "S\\Temp", "", "", "0"},              {Scenario::Delete, "Nothing", "v", "", "0"},
        {Scenario::Read, "HKCU\\S", "v", "", "none|0"},          {Scenario::Write, "HKCU\\S", "v", "1", "0"},
        {Scenario::Delete, "HKCU\\S", "v", "", "0"},             {Scenario::Delete, "HKCU\\S", "", "", "0"},
    });
    // clang-format on
    // RegEdit writes, reads, fails on a missing value and deletes.
    RegEdit regEdit(this->module);
    const std::string sag = "HKEY_CURRENT_USER\\Sag";
    EXPECT_TRUE(regEdit.WriteRegKey(sag, "Nr", "12-æ"));
    EXPECT_EQ(regEdit.GetRegKey(sag, "nr"), "12-æ");
    EXPECT_EQ(testing::failureNumber([&] { regEdit.GetRegKey(sag, "Mangler"); }),
              failure::InvalidUseOfNull);
    EXPECT_EQ((std::pair{regEdit.DeleteRegKey(sag), regEdit.DeleteRegKey(sag)}),
              std::pair(true, false));
}

REGISTER_TYPED_TEST_SUITE_P(RegistryModuleScenario, StoresReadsAndDeletesAsTheRegistryAllows);

} // namespace lexi::registry_scenario
