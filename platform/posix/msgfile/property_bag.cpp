#include "platform/posix/msgfile/property_bag.h"

#include <algorithm>

namespace lexi::msgfile {

ValueKind valueKindOf(std::uint16_t type) {
    const auto single = static_cast<std::uint16_t>(type & ~property_type::Multiple);
    const bool variable = single == property_type::String8 || single == property_type::Unicode ||
                          single == property_type::Binary;
    if ((type & property_type::Multiple) != 0) {
        return variable ? ValueKind::Streams : ValueKind::Stream;
    }
    if (type == property_type::Object) {
        return ValueKind::Object;
    }
    // Besides strings and binaries, GUIDs and the server's rule and entry id
    // types (0x00FB, 0x00FD, 0x00FE) live in streams.
    return variable || type == property_type::Guid || (type >= 0x00FB && type <= 0x00FE)
               ? ValueKind::Stream
               : ValueKind::Fixed;
}

std::size_t fixedSizeOf(std::uint16_t type) {
    switch (type) {
    case property_type::Boolean:
        return 1;
    case 0x0002: // 16-bit integer
        return 2;
    case property_type::Long:
    case 0x0004: // 32-bit float
    case 0x000A: // error code
        return 4;
    default:
        return 8;
    }
}

const Property* PropertyBag::find(const PropertyKey& key, std::uint16_t type) const {
    const auto found = std::find_if(properties_.begin(), properties_.end(), [&](const Property& p) {
        return p.type == type && p.key == key;
    });
    return found == properties_.end() ? nullptr : &*found;
}

Property* PropertyBag::find(const PropertyKey& key, std::uint16_t type) {
    return const_cast<Property*>(std::as_const(*this).find(key, type));
}

void PropertyBag::put(Property property) {
    if (Property* existing = find(property.key, property.type)) {
        *existing = std::move(property);
    } else {
        properties_.push_back(std::move(property));
    }
}

void PropertyBag::erase(const PropertyKey& key) {
    std::erase_if(properties_, [&](const Property& p) { return p.key == key; });
}

} // namespace lexi::msgfile
