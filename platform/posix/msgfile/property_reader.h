#pragma once

#include "platform/posix/msgfile/compound_reader.h"
#include "platform/posix/msgfile/message.h"
#include "platform/posix/msgfile/named_properties.h"
#include "platform/posix/msgfile/property_bag.h"
#include "platform/posix/msgfile/property_key.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The properties of one object (message, recipient or attachment) in a file
// being read.
namespace lexi::msgfile {

// Fills an object property from its storage: property.object, or whatever
// the caller makes of the storage (an attached mail).
using ObjectReader =
    std::function<void(const PropertyBag& bag, Property& property, const Storage& objectStorage)>;

// Every property of the storage, keyed by name for the named ones. Throws
// CorruptFile when the storage has no sound property stream. The value
// stream of the property `checkedOnly` names, if any, is checked but not
// read: the property reads as empty.
PropertyBag readPropertyBag(const Storage& storage, std::size_t headerSize,
                            const NamedPropertyIds& names, const ObjectReader& readObject,
                            const PropertyKey* checkedOnly = nullptr);

// The typed values of a bag's properties. Each is empty when the bag lacks it.
class PropertyReader {
public:
    explicit PropertyReader(const PropertyBag& bag) : bag_(bag) {}

    std::optional<std::uint32_t> integer(const PropertyKey& key) const;
    // A time of 0 or past the largest the file knows reads as NoDate.
    std::optional<Time> time(const PropertyKey& key) const;
    std::optional<std::string_view> binary(const PropertyKey& key) const;
    // A Unicode string, or an 8-bit one in the given code page.
    std::optional<std::string> text(const PropertyKey& key, std::uint32_t codePage) const;
    bool has(const PropertyKey& key, std::uint16_t type) const {
        return bag_.find(key, type) != nullptr;
    }

private:
    const PropertyBag& bag_;
};

} // namespace lexi::msgfile
