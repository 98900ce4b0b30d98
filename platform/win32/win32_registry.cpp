#include "platform/win32/win32_registry.h"

#include "platform/cp1252.h"
#include "platform/registry_path.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

namespace lexi::win32 {
namespace {

HKEY rootKey(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users:
        return HKEY_USERS;
    }
    return HKEY_CURRENT_USER;
}

RegistryStatus statusOf(LSTATUS result) {
    switch (result) {
    case ERROR_SUCCESS:
        return RegistryStatus::Ok;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return RegistryStatus::NotFound;
    case ERROR_ACCESS_DENIED:
        return RegistryStatus::AccessDenied;
    case ERROR_MORE_DATA:
        return RegistryStatus::MoreData;
    case ERROR_BADDB:
    case ERROR_BADKEY:
    case ERROR_REGISTRY_CORRUPT:
        return RegistryStatus::Damaged;
    default:
        return RegistryStatus::Other;
    }
}

// A key handle, closed when it goes.
class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey() {
        if (key_) {
            RegCloseKey(key_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    // Opens the key; the answer is the registry's.
    RegistryStatus open(RegistryRoot root, std::string_view subkey, REGSAM access) {
        const auto path = registry_path::canonical(subkey);
        if (!path) {
            return RegistryStatus::Other;
        }
        return statusOf(RegOpenKeyExW(rootKey(root), toWide(*path).c_str(), 0, access, &key_));
    }

    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The interface's bytes of a value as Windows holds it: string data in the
// code page (the 8-bit functions' form), everything else unchanged.
RegistryValue fromStored(DWORD type, std::string bytes) {
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_MULTI_SZ: {
        const std::wstring_view wide(reinterpret_cast<const wchar_t*>(bytes.data()),
                                     bytes.size() / sizeof(wchar_t));
        return {RegistryType::String, cp1252::fromUtf8(fromWide(wide))};
    }
    case REG_DWORD:
        return {RegistryType::Dword, std::move(bytes)};
    default:
        return {RegistryType::Binary, std::move(bytes)};
    }
}

// The value whole, however large it is, with its Windows type.
LSTATUS readWhole(HKEY key, const std::wstring& name, DWORD& type, std::string& bytes) {
    DWORD size = 0;
    LSTATUS result = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    // A value that grows between the two calls is asked for again.
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        bytes.assign(size, '\0');
        result = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(bytes.data()), &size);
        if (result == ERROR_SUCCESS) {
            bytes.resize(size);
            break;
        }
    }
    return result;
}

} // namespace

RegistryStatus Win32Registry::openKey(RegistryRoot root, std::string_view subkey,
                                      RegistryAccess access) {
    OpenKey key;
    return key.open(root, subkey, access == RegistryAccess::Read ? KEY_QUERY_VALUE : KEY_SET_VALUE);
}

RegistryStatus Win32Registry::createKey(RegistryRoot root, std::string_view subkey) {
    const auto path = registry_path::canonical(subkey);
    if (!path) {
        return RegistryStatus::Other;
    }
    HKEY key = nullptr;
    const LSTATUS result =
        RegCreateKeyExW(rootKey(root), toWide(*path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
    return statusOf(result);
}

RegistryStatus Win32Registry::queryValue(RegistryRoot root, std::string_view subkey,
                                         std::string_view name, std::size_t capacity,
                                         RegistryValue& value, std::size_t& size) {
    OpenKey key;
    if (const RegistryStatus opened = key.open(root, subkey, KEY_QUERY_VALUE);
        opened != RegistryStatus::Ok) {
        return opened;
    }
    DWORD type = REG_NONE;
    std::string bytes;
    if (const LSTATUS result = readWhole(key.get(), toWide(name), type, bytes);
        result != ERROR_SUCCESS) {
        return statusOf(result);
    }
    RegistryValue stored = fromStored(type, std::move(bytes));
    size = stored.data.size();
    if (size > capacity) {
        value.data.clear();
        return RegistryStatus::MoreData;
    }
    value = std::move(stored);
    return RegistryStatus::Ok;
}

RegistryStatus Win32Registry::setValue(RegistryRoot root, std::string_view subkey,
                                       std::string_view name, const RegistryValue& value) {
    OpenKey key;
    if (const RegistryStatus opened = key.open(root, subkey, KEY_SET_VALUE);
        opened != RegistryStatus::Ok) {
        return opened;
    }
    DWORD type = REG_BINARY;
    std::string bytes = value.data;
    if (value.type == RegistryType::String) {
        type = REG_SZ;
        const std::wstring wide = toWide(cp1252::toUtf8(value.data));
        bytes.assign(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    } else if (value.type == RegistryType::Dword) {
        type = REG_DWORD;
    }
    return statusOf(RegSetValueExW(key.get(), toWide(name).c_str(), 0, type,
                                   reinterpret_cast<const BYTE*>(bytes.data()),
                                   static_cast<DWORD>(bytes.size())));
}

RegistryStatus Win32Registry::deleteValue(RegistryRoot root, std::string_view subkey,
                                          std::string_view name) {
    OpenKey key;
    if (const RegistryStatus opened = key.open(root, subkey, KEY_SET_VALUE);
        opened != RegistryStatus::Ok) {
        return opened;
    }
    return statusOf(RegDeleteValueW(key.get(), toWide(name).c_str()));
}

RegistryStatus Win32Registry::deleteKey(RegistryRoot root, std::string_view subkey) {
    const auto path = registry_path::canonical(subkey);
    if (!path) {
        return RegistryStatus::Other;
    }
    // Windows would delete a key named by an empty path: the root stays.
    if (path->empty()) {
        return RegistryStatus::AccessDenied;
    }
    return statusOf(RegDeleteKeyW(rootKey(root), toWide(*path).c_str()));
}

RegistryStatus Win32Registry::flushKey(RegistryRoot root, std::string_view subkey) {
    OpenKey key;
    if (const RegistryStatus opened = key.open(root, subkey, KEY_QUERY_VALUE);
        opened != RegistryStatus::Ok) {
        return opened;
    }
    return statusOf(RegFlushKey(key.get()));
}

std::vector<std::string> Win32Registry::valueNames(RegistryRoot root, std::string_view subkey) {
    std::vector<std::string> names;
    OpenKey key;
    if (key.open(root, subkey, KEY_QUERY_VALUE) != RegistryStatus::Ok) {
        return names;
    }
    // Value names are at most 16,383 characters long.
    std::wstring name(16384, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumValueW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            return names;
        }
        names.push_back(fromWide(std::wstring_view(name.data(), length)));
    }
}

std::string Win32Registry::storeLocation() const {
    return "the Windows registry";
}

} // namespace lexi::win32
