#pragma once

#include "platform/posix/msgfile/property_key.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Every property of a message, recipient or attachment as the file holds it,
// so that writing an item read from a file loses none of them.
namespace lexi::msgfile {

// A storage of the file kept whole: an OLE attachment's object, or (with only
// its class id) the storage of an attached mail.
struct StorageTree {
    Guid classId{};
    std::vector<std::pair<std::string, std::string>> streams{};
    std::vector<std::pair<std::string, StorageTree>> storages{};

    bool operator==(const StorageTree&) const = default;
};

// How a property of a type keeps its value in the file.
enum class ValueKind {
    Fixed,   // in its entry of the property stream
    Stream,  // in one stream, "__substg1.0_IIIITTTT"
    Streams, // a stream of lengths and one stream a value ("...-0000000N")
    Object,  // in a storage
};
ValueKind valueKindOf(std::uint16_t type);

// The bytes a Fixed value takes of its 8-byte entry; the rest is reserved.
std::size_t fixedSizeOf(std::uint16_t type);

struct Property {
    PropertyKey key;
    std::uint16_t type = 0;
    std::uint32_t flags = 0; // the entry's flags (readable, writable, mandatory)
    // The entry's value for Fixed and Object; 0 for the others, whose entry
    // holds a size the writer works out from the value.
    std::uint64_t entry = 0;
    std::string data{};                // Stream: the value; Streams: the lengths
    std::vector<std::string> values{}; // Streams: the values
    StorageTree object{};              // Object: the storage

    bool operator==(const Property&) const = default;
};

// The properties in the order the file lists them; at most one a key and type.
class PropertyBag {
public:
    const Property* find(const PropertyKey& key, std::uint16_t type) const;
    Property* find(const PropertyKey& key, std::uint16_t type);
    // Replaces the property of the same key and type, if there is one.
    void put(Property property);
    // Removes the property of that key, whatever its type.
    void erase(const PropertyKey& key);

    auto begin() const { return properties_.begin(); }
    auto end() const { return properties_.end(); }
    bool empty() const { return properties_.empty(); }

    bool operator==(const PropertyBag&) const = default;

private:
    std::vector<Property> properties_;
};

} // namespace lexi::msgfile
