#pragma once

#include "platform/posix/msgfile/property_key.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// The named property mapping storage "__nameid_version1.0" (MS-OXMSG 2.2.3):
// which property id (0x8000 and up) a file gives each named property.
namespace lexi::msgfile {

class Storage;
class OutStorage;

inline constexpr char NameIdStorageName[] = "__nameid_version1.0";

// The named properties of a file being read, by the ids the file gives them.
class NamedPropertyIds {
public:
    // A file without the mapping storage has no named properties.
    explicit NamedPropertyIds(const Storage& root);

    // The key of a property id: the id itself below 0x8000, else the name
    // mapped to it; nothing for an id the file maps to no name.
    std::optional<PropertyKey> key(std::uint16_t id) const;

private:
    std::map<std::uint16_t, PropertyName> names_;
};

// Gives ids to the named properties of a file being written, in the order they
// are asked for, and writes the mapping storage.
class NamedPropertyTable {
public:
    std::uint16_t id(const PropertyKey& key);
    void write(OutStorage& root) const;

private:
    std::uint32_t guidIndex(const Guid& propertySet) const;

    std::vector<PropertyName> names_;
    std::vector<Guid> propertySets_;
};

} // namespace lexi::msgfile
