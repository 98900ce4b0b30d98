#pragma once

#include "platform/registry.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace lexi::fake {

// A registry in memory for tests, with the same rules as the real one, and
// switches that make it refuse callers the way a locked-down workstation does.
class MemoryRegistry final : public Registry {
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
    std::vector<std::string> valueNames(RegistryRoot root, std::string_view subkey) override;
    std::string storeLocation() const override { return "(memory)"; }

    // Every call on this key and the keys below it answers AccessDenied.
    void denyAccess(RegistryRoot root, std::string_view subkey);
    // Every write (create, set, delete) answers this status instead of Ok.
    void failWrites(RegistryStatus status) { writeFailure_ = status; }

private:
    struct Value {
        std::string name;
        RegistryValue value;
        long order = 0;
    };
    struct Key {
        std::string path;
        std::map<std::string, Value> values; // by folded name
    };
    using KeyId = std::pair<RegistryRoot, std::string>; // root and folded path

    // The folded key, or nothing when the path is malformed.
    std::optional<KeyId> find(RegistryRoot root, std::string_view subkey) const;
    bool denied(const KeyId& key) const;
    RegistryStatus refusal(const std::optional<KeyId>& key, bool writing) const;
    Key* keyAt(const KeyId& key);

    std::map<KeyId, Key> keys_;
    std::map<RegistryRoot, Key> rootKeys_;
    std::set<KeyId> denied_;
    RegistryStatus writeFailure_ = RegistryStatus::Ok;
    long nextOrder_ = 0;
};

} // namespace lexi::fake
