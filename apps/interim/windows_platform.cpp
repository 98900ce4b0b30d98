// INTERIM, never committed.
#include "apps/interim/windows_platform.h"

#include <windows.h>

namespace lexi {
namespace {
HKEY rootOf(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    default:
        return HKEY_USERS;
    }
}
RegistryStatus statusOf(LONG r) {
    switch (r) {
    case ERROR_SUCCESS:
        return RegistryStatus::Ok;
    case ERROR_FILE_NOT_FOUND:
        return RegistryStatus::NotFound;
    case ERROR_ACCESS_DENIED:
        return RegistryStatus::AccessDenied;
    case ERROR_MORE_DATA:
        return RegistryStatus::MoreData;
    default:
        return RegistryStatus::Other;
    }
}
} // namespace

RegistryStatus InterimRegistry::openKey(RegistryRoot root, std::string_view subkey,
                                        RegistryAccess access) {
    HKEY key;
    LONG r = RegOpenKeyExA(rootOf(root), std::string(subkey).c_str(), 0,
                           access == RegistryAccess::Read ? KEY_READ : KEY_WRITE, &key);
    if (r == ERROR_SUCCESS)
        RegCloseKey(key);
    return statusOf(r);
}
RegistryStatus InterimRegistry::createKey(RegistryRoot root, std::string_view subkey) {
    HKEY key;
    LONG r = RegCreateKeyExA(rootOf(root), std::string(subkey).c_str(), 0, nullptr, 0, KEY_WRITE,
                             nullptr, &key, nullptr);
    if (r == ERROR_SUCCESS)
        RegCloseKey(key);
    return statusOf(r);
}
RegistryStatus InterimRegistry::queryValue(RegistryRoot root, std::string_view subkey,
                                           std::string_view name, std::size_t capacity,
                                           RegistryValue& value, std::size_t& size) {
    std::string data(capacity, '\0');
    DWORD type = 0;
    DWORD n = static_cast<DWORD>(capacity);
    LONG r = RegGetValueA(rootOf(root), std::string(subkey).c_str(), std::string(name).c_str(),
                          RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &n);
    size = n;
    if (r == ERROR_SUCCESS) {
        data.resize(n);
        value.data = data;
        value.type = type == REG_DWORD    ? RegistryType::Dword
                     : type == REG_BINARY ? RegistryType::Binary
                                          : RegistryType::String;
    }
    return statusOf(r);
}
RegistryStatus InterimRegistry::setValue(RegistryRoot root, std::string_view subkey,
                                         std::string_view name, const RegistryValue& value) {
    HKEY key;
    LONG r = RegOpenKeyExA(rootOf(root), std::string(subkey).c_str(), 0, KEY_WRITE, &key);
    if (r != ERROR_SUCCESS)
        return statusOf(r);
    DWORD type = value.type == RegistryType::Dword    ? REG_DWORD
                 : value.type == RegistryType::Binary ? REG_BINARY
                                                      : REG_SZ;
    r = RegSetValueExA(key, std::string(name).c_str(), 0, type,
                       reinterpret_cast<const BYTE*>(value.data.data()),
                       static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
    return statusOf(r);
}
RegistryStatus InterimRegistry::deleteValue(RegistryRoot root, std::string_view subkey,
                                            std::string_view name) {
    HKEY key;
    LONG r = RegOpenKeyExA(rootOf(root), std::string(subkey).c_str(), 0, KEY_WRITE, &key);
    if (r != ERROR_SUCCESS)
        return statusOf(r);
    r = RegDeleteValueA(key, std::string(name).c_str());
    RegCloseKey(key);
    return statusOf(r);
}
RegistryStatus InterimRegistry::deleteKey(RegistryRoot root, std::string_view subkey) {
    return statusOf(RegDeleteKeyA(rootOf(root), std::string(subkey).c_str()));
}

WindowsPlatform::WindowsPlatform() : ui_("", [](const script::Record&) {}) {}

} // namespace lexi
