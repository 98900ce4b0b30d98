#include "platform/fake/memory_registry.h"

#include "platform/registry_path.h"

#include <algorithm>

namespace lexi::fake {

std::optional<MemoryRegistry::KeyId> MemoryRegistry::find(RegistryRoot root,
                                                          std::string_view subkey) const {
    const auto path = registry_path::canonical(subkey);
    if (!path) {
        return std::nullopt;
    }
    return KeyId{root, registry_path::folded(*path)};
}

bool MemoryRegistry::denied(const KeyId& key) const {
    return std::any_of(denied_.begin(), denied_.end(), [&](const KeyId& deny) {
        return deny.first == key.first &&
               (deny.second == key.second || registry_path::isBelow(key.second, deny.second));
    });
}

// The answer a call gets before it looks at the data: malformed path, denied
// key, or a write switched to fail. Ok when the call may go on.
RegistryStatus MemoryRegistry::refusal(const std::optional<KeyId>& key, bool writing) const {
    if (!key) {
        return RegistryStatus::Other;
    }
    if (denied(*key)) {
        return RegistryStatus::AccessDenied;
    }
    return writing ? writeFailure_ : RegistryStatus::Ok;
}

MemoryRegistry::Key* MemoryRegistry::keyAt(const KeyId& key) {
    if (key.second.empty()) {
        return &rootKeys_[key.first];
    }
    const auto found = keys_.find(key);
    return found == keys_.end() ? nullptr : &found->second;
}

void MemoryRegistry::denyAccess(RegistryRoot root, std::string_view subkey) {
    if (const auto key = find(root, subkey)) {
        denied_.insert(*key);
    }
}

RegistryStatus MemoryRegistry::openKey(RegistryRoot root, std::string_view subkey,
                                       RegistryAccess access) {
    const auto key = find(root, subkey);
    if (const auto status = refusal(key, access == RegistryAccess::Write);
        status != RegistryStatus::Ok) {
        return status;
    }
    return keyAt(*key) ? RegistryStatus::Ok : RegistryStatus::NotFound;
}

RegistryStatus MemoryRegistry::createKey(RegistryRoot root, std::string_view subkey) {
    const auto key = find(root, subkey);
    if (const auto status = refusal(key, true); status != RegistryStatus::Ok) {
        return status;
    }
    for (const std::string& ancestor : registry_path::lineage(*registry_path::canonical(subkey))) {
        keys_.try_emplace(KeyId{root, registry_path::folded(ancestor)}, Key{ancestor, {}});
    }
    return RegistryStatus::Ok;
}

RegistryStatus MemoryRegistry::queryValue(RegistryRoot root, std::string_view subkey,
                                          std::string_view name, std::size_t capacity,
                                          RegistryValue& value, std::size_t& size) {
    const auto key = find(root, subkey);
    if (const auto status = refusal(key, false); status != RegistryStatus::Ok) {
        return status;
    }
    Key* stored = keyAt(*key);
    if (!stored) {
        return RegistryStatus::NotFound;
    }
    const auto found = stored->values.find(registry_path::folded(name));
    if (found == stored->values.end()) {
        return RegistryStatus::NotFound;
    }
    size = found->second.value.data.size();
    if (size > capacity) {
        value.data.clear();
        return RegistryStatus::MoreData;
    }
    value = found->second.value;
    return RegistryStatus::Ok;
}

RegistryStatus MemoryRegistry::setValue(RegistryRoot root, std::string_view subkey,
                                        std::string_view name, const RegistryValue& value) {
    const auto key = find(root, subkey);
    if (const auto status = refusal(key, true); status != RegistryStatus::Ok) {
        return status;
    }
    Key* stored = keyAt(*key);
    if (!stored) {
        return RegistryStatus::NotFound;
    }
    auto [slot, added] =
        stored->values.try_emplace(registry_path::folded(name), Value{std::string(name), {}, 0});
    if (added) {
        slot->second.order = nextOrder_++;
    }
    slot->second.value = value;
    return RegistryStatus::Ok;
}

RegistryStatus MemoryRegistry::deleteValue(RegistryRoot root, std::string_view subkey,
                                           std::string_view name) {
    const auto key = find(root, subkey);
    if (const auto status = refusal(key, true); status != RegistryStatus::Ok) {
        return status;
    }
    Key* stored = keyAt(*key);
    if (!stored || stored->values.erase(registry_path::folded(name)) == 0) {
        return RegistryStatus::NotFound;
    }
    return RegistryStatus::Ok;
}

RegistryStatus MemoryRegistry::deleteKey(RegistryRoot root, std::string_view subkey) {
    const auto key = find(root, subkey);
    if (const auto status = refusal(key, true); status != RegistryStatus::Ok) {
        return status;
    }
    if (key->second.empty()) {
        return RegistryStatus::AccessDenied;
    }
    if (!keyAt(*key)) {
        return RegistryStatus::NotFound;
    }
    const bool hasSubkeys = std::any_of(keys_.begin(), keys_.end(), [&](const auto& entry) {
        return entry.first.first == root && registry_path::isBelow(entry.first.second, key->second);
    });
    if (hasSubkeys) {
        return RegistryStatus::AccessDenied;
    }
    keys_.erase(*key);
    return RegistryStatus::Ok;
}

std::vector<std::string> MemoryRegistry::valueNames(RegistryRoot root, std::string_view subkey) {
    std::vector<std::string> names;
    const auto key = find(root, subkey);
    Key* stored = key && !denied(*key) ? keyAt(*key) : nullptr;
    if (!stored) {
        return names;
    }
    std::vector<const Value*> values;
    for (const auto& [folded, value] : stored->values) {
        values.push_back(&value);
    }
    std::sort(values.begin(), values.end(),
              [](const Value* a, const Value* b) { return a->order < b->order; });
    for (const Value* value : values) {
        names.push_back(value->name);
    }
    return names;
}

} // namespace lexi::fake
