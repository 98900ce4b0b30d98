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

// The numbered named properties of a file being read. Named properties with
// string names are not needed and not read.
class NamedPropertyIds {
public:
    // A file without the mapping storage has no named properties.
    explicit NamedPropertyIds(const Storage& root);

    std::optional<std::uint16_t> find(const PropertyKey& key) const;

private:
    std::map<PropertyName, std::uint16_t> ids_;
};

// Gives ids to the named properties of a file being written, in the order they
// are asked for, and writes the mapping storage.
class NamedPropertyTable {
public:
    std::uint16_t id(const PropertyKey& key);
    void write(OutStorage& root) const;

private:
    std::uint16_t guidIndex(const Guid& propertySet) const;

    std::vector<PropertyName> names_;
    std::vector<Guid> propertySets_;
};

} // namespace lexi::msgfile
