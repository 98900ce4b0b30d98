#include "shared/registry/md_registry.h"

#include "platform/cp1252.h"
#include "platform/text.h"

#include <array>
#include <cstdlib>

namespace lexi {
namespace {

constexpr std::int32_t SmallestBuffer = 255;

struct RootPrefix {
    std::string_view prefix;
    RegistryRoot root;
};

constexpr std::array<RootPrefix, 4> RootPrefixes = {{
    {"HKEY_CLASSES_ROOT\\", RegistryRoot::ClassesRoot},
    {"HKEY_CURRENT_USER\\", RegistryRoot::CurrentUser},
    {"HKEY_LOCAL_MACHINE\\", RegistryRoot::LocalMachine},
    {"HKEY_USERS\\", RegistryRoot::Users},
}};

// The data of a value text: its code-page bytes and a terminating zero byte,
// or for a number value the 32-bit number the text starts with.
std::string dataOf(std::string_view value, bool dword) {
    if (!dword) {
        return cp1252::fromUtf8(value) + '\0';
    }
    const auto number =
        static_cast<std::uint32_t>(std::strtoll(std::string(value).c_str(), nullptr, 10));
    std::string data(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) {
        data[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    }
    return data;
}

} // namespace

std::optional<KeyPath> SelectRoot(std::string_view keyPath) {
    for (const auto& [prefix, root] : RootPrefixes) {
        if (keyPath.size() >= prefix.size() &&
            text::equalsIgnoreCase(keyPath.substr(0, prefix.size()), prefix)) {
            return KeyPath{root, std::string(keyPath.substr(prefix.size()))};
        }
    }
    return std::nullopt;
}

std::string CutAtNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

mdRegistry::mdRegistry(Registry& registry, Ui& ui) : registry_(registry), ui_(ui) {}

void mdRegistry::reportDamage() {
    if (!storeDamaged_) {
        storeDamaged_ = true;
        ui_.messageBox("ERROR: The registry store is damaged: " + registry_.storeLocation(),
                       msgbox::Critical, "REGISTRY ERROR");
    }
}

void mdRegistry::reportReadFailure(RegistryStatus status) {
    if (status == RegistryStatus::Damaged) {
        reportDamage();
    } else if (status == RegistryStatus::AccessDenied) {
        ui_.messageBox("ERROR: Unauthorized attempt to read in registry!", msgbox::Critical,
                       "ACCESSVIOLATION");
    }
}

void mdRegistry::reportWriteFailure(RegistryStatus status) {
    if (status == RegistryStatus::Damaged) {
        reportDamage();
    } else if (status == RegistryStatus::AccessDenied) {
        ui_.messageBox("ERROR: Unauthorized attempt to write in registry!", msgbox::Critical,
                       "ACCESSVIOLATION");
    } else if (status != RegistryStatus::NotFound) {
        ui_.messageBox("ERROR: Unknown error when writing in registry!", msgbox::Critical,
                       "REGISTRY ERROR");
    }
}

std::optional<std::string> mdRegistry::ReadRegistryValue(std::string_view keyPath,
                                                         std::string_view valueName,
                                                         std::int32_t& bufferSize) {
    const auto key = SelectRoot(keyPath);
    if (!key) {
        return std::nullopt;
    }
    if (bufferSize < SmallestBuffer) {
        bufferSize = SmallestBuffer;
    }
    const RegistryStatus opened = registry_.openKey(key->root, key->subkey, RegistryAccess::Read);
    if (opened != RegistryStatus::Ok) {
        reportReadFailure(opened);
        return std::nullopt;
    }
    RegistryValue value;
    std::size_t size = 0;
    const RegistryStatus read = registry_.queryValue(
        key->root, key->subkey, valueName, static_cast<std::size_t>(bufferSize), value, size);
    if (read == RegistryStatus::Ok || read == RegistryStatus::MoreData) {
        bufferSize = static_cast<std::int32_t>(size);
    }
    if (read != RegistryStatus::Ok) {
        return std::nullopt;
    }
    // The value is read whatever its type: its bytes as code-page text, up
    // to the first zero byte.
    return cp1252::toUtf8(CutAtNul(value.data));
}

bool mdRegistry::WriteRegistryValue(std::string_view keyPath, std::string_view valueName,
                                    std::string_view value, bool binary, bool dword) {
    const std::string_view stored = value.empty() ? std::string_view("\0", 1) : value;
    const auto key = SelectRoot(keyPath);
    if (!key) {
        return false;
    }
    const RegistryStatus created = registry_.createKey(key->root, key->subkey);
    if (created != RegistryStatus::Ok) {
        reportWriteFailure(created == RegistryStatus::NotFound ? RegistryStatus::Other : created);
        return false;
    }
    const RegistryType type = dword    ? RegistryType::Dword
                              : binary ? RegistryType::Binary
                                       : RegistryType::String;
    const RegistryStatus written =
        registry_.setValue(key->root, key->subkey, valueName, {type, dataOf(stored, dword)});
    if (written != RegistryStatus::Ok) {
        reportWriteFailure(written == RegistryStatus::NotFound ? RegistryStatus::Other : written);
        return false;
    }
    return true;
}

std::optional<KeyPath> mdRegistry::openForWriting(std::string_view keyPath) {
    auto key = SelectRoot(keyPath);
    if (!key) {
        return std::nullopt;
    }
    const RegistryStatus opened = registry_.openKey(key->root, key->subkey, RegistryAccess::Write);
    if (opened != RegistryStatus::Ok) {
        reportWriteFailure(opened);
        return std::nullopt;
    }
    return key;
}

bool mdRegistry::DeleteRegistryValue(std::string_view keyPath, std::string_view valueName) {
    const auto key = openForWriting(keyPath);
    if (!key) {
        return false;
    }
    const RegistryStatus deleted = registry_.deleteValue(key->root, key->subkey, valueName);
    if (deleted != RegistryStatus::Ok) {
        reportWriteFailure(deleted == RegistryStatus::AccessDenied ? RegistryStatus::Other
                                                                   : deleted);
        return false;
    }
    return true;
}

bool mdRegistry::DeleteRegistryKey(std::string_view keyPath) {
    const auto key = openForWriting(keyPath);
    if (!key) {
        return false;
    }
    return registry_.deleteKey(key->root, key->subkey) == RegistryStatus::Ok;
}

bool mdRegistry::FlushRegistryKey(std::string_view keyPath) {
    const auto key = SelectRoot(keyPath);
    return key && registry_.flushKey(key->root, key->subkey) == RegistryStatus::Ok;
}

} // namespace lexi
