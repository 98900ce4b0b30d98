#pragma once

// The rules every registry implementation keeps, and the settings store kept
// over each of them: suites run against every implementation from this one
// source. Each build instantiates them for its stores (see
// INSTANTIATE_TYPED_TEST_SUITE_P in lexi::registry_contract); a store is a type with a member
// `registry` that starts empty, and `WrittenOrder`, whether its valueNames
// come in the order the values were first written.

#include "platform/failure.h"
#include "platform/registry.h"
#include "platform/registry_settings.h"
#include "tests/support/failure_number.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace lexi::registry_contract {

template <typename Store> class RegistryContract : public ::testing::Test {
protected:
    RegistryStatus set(std::string_view key, std::string_view name, std::string data,
                       RegistryType type = RegistryType::String) {
        return registry.setValue(RegistryRoot::CurrentUser, key, name, {type, std::move(data)});
    }
    RegistryStatus query(std::string_view key, std::string_view name, std::size_t capacity = 1024) {
        return registry.queryValue(RegistryRoot::CurrentUser, key, name, capacity, value, size);
    }

    Store store;
    Registry& registry = store.registry;
    RegistryValue value;
    std::size_t size = 0;
};
TYPED_TEST_SUITE_P(RegistryContract);

template <typename Store> class SettingsContract : public ::testing::Test {
protected:
    Store store;
    RegistrySettings settings{store.registry};
};
TYPED_TEST_SUITE_P(SettingsContract);

using enum RegistryStatus;
constexpr auto HKCU = RegistryRoot::CurrentUser;
constexpr auto Read = RegistryAccess::Read;

TYPED_TEST_P(RegistryContract, StoresValuesUnderNamesWithoutCaseInTheirFirstOrder) {
    Registry& registry = this->registry;
    const std::string text("TEST\0", 5), one("\x01\x00\x00\x00", 4), big(301, 'x');
    // Parents are created; a value set again keeps its first name and place.
    EXPECT_EQ((std::vector{registry.createKey(HKCU, "Software\\Lexitray\\Tæst"),
                           registry.openKey(HKCU, "SOFTWARE\\lexitray", Read),
                           this->set("software\\LEXITRAY\\TÆST", "WriteTæst", text),
                           this->query("Software\\Lexitray\\tæst\\", "writetÆst")}),
              std::vector(4, Ok));
    EXPECT_EQ(std::pair(this->value.type, this->value.data), std::pair(RegistryType::String, text));
    EXPECT_EQ(
        (std::vector{registry.createKey(HKCU, "K"), this->set("K", "b", "1"),
                     this->set("K", "a", "2"), this->set("K", "B", one, RegistryType::Dword),
                     this->query("k", "b"), this->set("K", "big", big, RegistryType::Binary)}),
        std::vector(6, Ok));
    EXPECT_EQ(std::pair(this->value.type, this->value.data), std::pair(RegistryType::Dword, one));
    std::vector<std::string> names = registry.valueNames(HKCU, "k");
    if (!TypeParam::WrittenOrder) {
        std::sort(names.begin(), names.end());
    }
    EXPECT_EQ(names, (TypeParam::WrittenOrder ? std::vector<std::string>{"b", "a", "big"}
                                              : std::vector<std::string>{"a", "b", "big"}));
    // A value too large for the buffer tells its size.
    EXPECT_EQ((std::pair{this->query("K", "big", 255), this->size}),
              std::pair(MoreData, std::size_t{301}));
    EXPECT_EQ(this->query("K", "big", 301), Ok);
    EXPECT_EQ(this->value.data, big);
}

TYPED_TEST_P(RegistryContract, AnswersNotFoundForMissingKeysAndRefusesMalformedPaths) {
    Registry& registry = this->registry;
    // Each root its own tree; the root key holds values too.
    EXPECT_EQ(
        (std::vector{registry.createKey(HKCU, "Software\\Empty"),
                     registry.createKey(RegistryRoot::LocalMachine, "Software\\X"),
                     registry.openKey(HKCU, "Software\\Nothing", Read),
                     this->query("Software\\Nothing", "x"),
                     this->set("Software\\Nothing", "x", "y"), this->query("Software\\Empty", "x"),
                     registry.deleteValue(HKCU, "Software\\Empty", "x"),
                     registry.deleteKey(HKCU, "Software\\Nothing"),
                     registry.openKey(HKCU, "Software\\X", Read),
                     registry.createKey(HKCU, "a\\\\b"), registry.createKey(HKCU, "\\a"),
                     registry.openKey(HKCU, "a\\\\b", Read), registry.openKey(HKCU, "", Read),
                     this->set("", "", std::string("default\0", 8)), this->query("", "")}),
        (std::vector{Ok, Ok, NotFound, NotFound, NotFound, NotFound, NotFound, NotFound, NotFound,
                     Other, Other, Other, Ok, Ok, Ok}));
    EXPECT_EQ(this->value.data, std::string("default\0", 8));
}

TYPED_TEST_P(RegistryContract, DeletesOnlyKeysWithoutSubkeys) {
    Registry& registry = this->registry;
    // A key created again starts without the values of its namesake; the root key stays.
    EXPECT_EQ((std::vector{registry.createKey(HKCU, "A\\B"), registry.createKey(HKCU, "AB"),
                           this->set("A", "v", "1"), registry.deleteKey(HKCU, "A"),
                           registry.deleteKey(HKCU, "a\\b"), registry.deleteKey(HKCU, "A"),
                           registry.openKey(HKCU, "AB", Read), registry.createKey(HKCU, "A"),
                           registry.deleteKey(HKCU, "")}),
              (std::vector{Ok, Ok, Ok, AccessDenied, Ok, Ok, Ok, Ok, AccessDenied}));
    EXPECT_TRUE(registry.valueNames(HKCU, "A").empty());
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, StoresValuesUnderNamesWithoutCaseInTheirFirstOrder,
                            AnswersNotFoundForMissingKeysAndRefusesMalformedPaths,
                            DeletesOnlyKeysWithoutSubkeys);

TYPED_TEST_P(SettingsContract, KeepsTextsUnderNamesWithoutCaseWhereWindowsProgramsKeepThem) {
    SettingsStore& settings = this->settings;
    // clang-format off
    settings.saveSetting("Lexitray", "Drevindstillinger", "Lokalsti", "C:\\Sager\\Ærø\\");
    settings.saveSetting("Lexitray", "Drevindstillinger", "Tom", "");
    settings.saveSetting("LEXITRAY", "drevindstillinger", "BenytMailHistorik", "1");
    settings.saveSetting("Lexitray", "Drevindstillinger", "benytmailhistorik", "0");
    EXPECT_EQ((std::vector{
        settings.getSetting("lexitray", "DREVINDSTILLINGER", "LOKALSTI", "?"),
        settings.getSetting("Lexitray", "Drevindstillinger", "Tom", "?"),
        settings.getSetting("Lexitray", "Drevindstillinger", "BenytMailHistorik", "?"),
        settings.getSetting("Lexitray", "Drevindstillinger", "Mangler", "standard"),
        settings.getSetting("Lexitray", "Mangler", "Lokalsti", "standard")}),
        (std::vector<std::string>{"C:\\Sager\\Ærø\\", "", "0", "standard", "standard"}));
    // clang-format on
    // A string value in the code page, where other programs of the family read it.
    RegistryValue value;
    std::size_t size = 0;
    EXPECT_EQ(this->store.registry.queryValue(
                  RegistryRoot::CurrentUser,
                  "Software\\VB and VBA Program Settings\\Lexitray\\Drevindstillinger", "Lokalsti",
                  255, value, size),
              Ok);
    EXPECT_EQ(std::pair(value.type, value.data),
              std::pair(RegistryType::String, std::string("C:\\Sager\\\xC6r\xF8\\\0", 14)));
}

TYPED_TEST_P(SettingsContract, DeletesKeysAndSectionsThatAreThereAndRefusesOthers) {
    SettingsStore& settings = this->settings;
    settings.saveSetting("Lexitray", "Version", "Test", "TEST");
    settings.saveSetting("Lexitray", "Indstillinger", "a", "1");
    settings.saveSetting("Lexitray", "Indstillinger", "b", "2");
    settings.deleteSetting("Lexitray", "version", "TEST");
    settings.deleteSection("Lexitray", "Indstillinger");
    EXPECT_EQ(settings.getSetting("Lexitray", "Version", "Test", "GONE") +
                  settings.getSetting("Lexitray", "Indstillinger", "a", "GONE"),
              "GONEGONE");
    // What is not there cannot be deleted: the runtime's 5.
    const std::function<void()> refused[] = {
        [&] { settings.deleteSetting("Lexitray", "Version", "Test"); },
        [&] { settings.deleteSetting("Lexitray", "Mangler", "Test"); },
        [&] { settings.deleteSection("Lexitray", "Indstillinger"); },
    };
    for (const auto& deletion : refused) {
        EXPECT_EQ(testing::failureNumber(deletion), failure::InvalidProcedureCall);
    }
}

REGISTER_TYPED_TEST_SUITE_P(SettingsContract,
                            KeepsTextsUnderNamesWithoutCaseWhereWindowsProgramsKeepThem,
                            DeletesKeysAndSectionsThatAreThereAndRefusesOthers);

} // namespace lexi::registry_contract
