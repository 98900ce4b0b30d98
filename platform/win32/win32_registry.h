#pragma once

#include "platform/registry.h"

namespace lexi::win32 {

// The Windows registry, through the W functions. Names and string data cross
// as UTF-16; the interface's string data are the code page's bytes, so they
// are converted both ways, as the 8-bit registry functions convert them.
// A key path with an empty component is refused (Other) before Windows sees
// it, as every registry of the program refuses it.
class Win32Registry final : public Registry {
public:
    RegistryStatus openKey(RegistryRoot root, std::string_view subkey,
                           RegistryAccess access) override;
    RegistryStatus createKey(RegistryRoot root, std::string_view subkey) override;
    RegistryStatus queryValue(RegistryRoot root, std::string_view subkey, std::string_view name,
                              std::size_t capacity, RegistryValue& value,
                              std::size_t& size) override;
    RegistryStatus setValue(RegistryRoot root, std::string_view subkey, std::string_view name,
                            const RegistryValue& value) override;
    RegistryStatus deleteValue(RegistryRoot root, std::string_view subkey,
                               std::string_view name) override;
    RegistryStatus deleteKey(RegistryRoot root, std::string_view subkey) override;
    // In the order Windows enumerates them: the order of writing on Windows,
    // by name under Wine.
    std::vector<std::string> valueNames(RegistryRoot root, std::string_view subkey) override;
    RegistryStatus flushKey(RegistryRoot root, std::string_view subkey) override;
    std::string storeLocation() const override;
};

} // namespace lexi::win32
