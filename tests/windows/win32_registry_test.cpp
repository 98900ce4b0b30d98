// The registry contract, the settings store and the registry module over the
// Windows registry, in keys of the test's own that stand in for the four roots;
// and how values that other programs wrote read.

#include "platform/win32/win32_registry.h"
#include "tests/platform/registry_contract.h"
#include "tests/registry/md_registry_scenario.h"

#include <array>
#include <string>
#include <windows.h>

namespace lexi::registry_contract {
namespace {

// While it exists, this process's roots are fresh keys under
// HKEY_CURRENT_USER\Software\Lexitray Tests.
class RootsOfTheTest {
public:
    RootsOfTheTest() {
        static int tests = 0;
        path_ = L"Software\\Lexitray Tests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++tests);
        for (std::size_t i = 0; i < Roots.size(); ++i) {
            const std::wstring key = path_ + L"\\" + std::to_wstring(i);
            RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &stand_ins_[i], nullptr);
        }
        for (std::size_t i = 0; i < Roots.size(); ++i) {
            RegOverridePredefKey(Roots[i], stand_ins_[i]);
        }
    }
    ~RootsOfTheTest() {
        for (std::size_t i = 0; i < Roots.size(); ++i) {
            RegOverridePredefKey(Roots[i], nullptr);
            RegCloseKey(stand_ins_[i]);
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    }
    RootsOfTheTest(const RootsOfTheTest&) = delete;
    RootsOfTheTest& operator=(const RootsOfTheTest&) = delete;

private:
    inline static const std::array<HKEY, 4> Roots = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
                                                     HKEY_LOCAL_MACHINE, HKEY_USERS};
    std::wstring path_;
    std::array<HKEY, 4> stand_ins_{};
};

struct Win32Store {
    // Wine lists a key's values by name; Windows keeps the order of writing.
    static constexpr bool WrittenOrder = false;
    RootsOfTheTest roots;
    win32::Win32Registry registry;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32Store);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, SettingsContract, Win32Store);

} // namespace lexi::registry_contract

namespace lexi::registry_scenario {

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryModuleScenario, registry_contract::Win32Store);

} // namespace lexi::registry_scenario

namespace lexi::registry_contract {

namespace {

// Windows keeps strings in UTF-16: they read as code-page text, a character
// the code page lacks as "?"; numbers and other types as their bytes.
TEST(Win32Registry, ReadsWhatOtherProgramsWroteInTheCodePage) {
    Win32Store store;
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, L"K", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    const auto put = [key](const wchar_t* name, DWORD type, const void* data, DWORD size) {
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    };
    put(L"sz", REG_SZ, L"Ærø €\u0416", 14);
    put(L"expand", REG_EXPAND_SZ, L"%TEMP%", 14);
    const unsigned long long big = 0x0102030405060708;
    put(L"qword", REG_QWORD, &big, 8);
    RegCloseKey(key);
    const std::tuple<const char*, RegistryType, std::string> cases[] = {
        {"sz", RegistryType::String, std::string("\xC6r\xF8 \x80?\0", 7)},
        {"expand", RegistryType::String, std::string("%TEMP%\0", 7)},
        {"qword", RegistryType::Binary, std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8)},
    };
    for (const auto& [name, type, data] : cases) {
        RegistryValue value;
        std::size_t size = 0;
        EXPECT_EQ(store.registry.queryValue(RegistryRoot::CurrentUser, "K", name, 255, value, size),
                  Ok);
        EXPECT_EQ(std::tuple(value.type, value.data, size), std::tuple(type, data, data.size()))
            << name;
    }
}

} // namespace
} // namespace lexi::registry_contract
