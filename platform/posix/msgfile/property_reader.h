#pragma once

#include "platform/posix/msgfile/compound_reader.h"
#include "platform/posix/msgfile/message.h"
#include "platform/posix/msgfile/named_properties.h"
#include "platform/posix/msgfile/property_key.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

// The properties of one object (message, recipient or attachment) in a file
// being read, by key and type. Each is empty when the file lacks it.
namespace lexi::msgfile {

class PropertyReader {
public:
    // Throws CorruptFile when the storage has no sound property stream.
    PropertyReader(Storage storage, std::size_t headerSize, const NamedPropertyIds& names);

    std::optional<std::uint32_t> integer(const PropertyKey& key) const;
    std::optional<Time> time(const PropertyKey& key) const;
    std::optional<std::string> binary(const PropertyKey& key) const;
    // A Unicode string, or an 8-bit one in the given code page.
    std::optional<std::string> text(const PropertyKey& key, std::uint32_t codePage) const;

    const Storage& storage() const { return storage_; }

private:
    std::optional<std::uint64_t> fixed(const PropertyKey& key, std::uint16_t type) const;
    std::optional<std::string> variable(const PropertyKey& key, std::uint16_t type) const;

    Storage storage_;
    const NamedPropertyIds& names_;
    std::map<std::uint32_t, std::uint64_t> fixedValues_;
};

} // namespace lexi::msgfile
