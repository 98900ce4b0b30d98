#include "platform/posix/msgfile/property_reader.h"

#include "platform/posix/msgfile/corrupt_file.h"
#include "platform/posix/msgfile/file_time.h"
#include "platform/posix/msgfile/property_stream.h"
#include "platform/posix/msgfile/text_encoding.h"

namespace lexi::msgfile {
namespace {

constexpr std::string_view ValueStreamPrefix = "__substg1.0_";
constexpr std::size_t ValueStreamNameSize = ValueStreamPrefix.size() + 8;

// The values of a multi-valued variable-size property: as many streams as
// the length stream has lengths (8 bytes each for binaries, else 4), up to
// the first one missing.
void readValues(const Storage& storage, std::uint16_t id, Property& property) {
    const std::size_t lengthSize =
        (property.type & ~property_type::Multiple) == property_type::Binary ? 8 : 4;
    const std::size_t count = property.data.size() / lengthSize;
    for (std::uint32_t index = 0; index < count; ++index) {
        auto value = storage.stream(valueStreamName(id, property.type, index));
        if (!value) {
            break;
        }
        property.values.push_back(std::move(*value));
    }
}

// Some writers leave a value stream out of the property stream; it is kept
// all the same.
void readUnlistedStreams(const Storage& storage, const NamedPropertyIds& names, PropertyBag& bag) {
    for (const std::string& name : storage.childNames()) {
        if (name.size() != ValueStreamNameSize || !name.starts_with(ValueStreamPrefix)) {
            continue;
        }
        const auto tag = std::strtoul(name.c_str() + ValueStreamPrefix.size(), nullptr, 16);
        const auto id = static_cast<std::uint16_t>(tag >> 16);
        const auto type = static_cast<std::uint16_t>(tag);
        auto key = names.key(id);
        if (!key || valueKindOf(type) != ValueKind::Stream || bag.find(*key, type) != nullptr) {
            continue;
        }
        if (auto data = storage.stream(name)) {
            bag.put({std::move(*key), type, ReadableAndWritable, 0, std::move(*data)});
        }
    }
}

} // namespace

PropertyBag readPropertyBag(const Storage& storage, std::size_t headerSize,
                            const NamedPropertyIds& names, const ObjectReader& readObject,
                            const PropertyKey* checkedOnly) {
    const auto stream = storage.stream(PropertyStreamName);
    if (!stream) {
        throw CorruptFile("a storage has no property stream");
    }
    PropertyBag bag;
    std::vector<std::pair<std::uint16_t, PropertyKey>> objects;
    for (const PropertyEntry& entry : parsePropertyStream(*stream, headerSize)) {
        const auto id = static_cast<std::uint16_t>(entry.tag >> 16);
        const auto type = static_cast<std::uint16_t>(entry.tag);
        // A named property id the file maps to no name means nothing.
        auto key = names.key(id);
        if (!key) {
            continue;
        }
        const ValueKind kind = valueKindOf(type);
        // A fixed value's reserved bytes are ignored, and written as zeros.
        const std::uint64_t value = kind == ValueKind::Fixed
                                        ? entry.value & (~0ull >> (64 - 8 * fixedSizeOf(type)))
                                    : kind == ValueKind::Object ? entry.value
                                                                : 0;
        Property property{std::move(*key), type, entry.flags, value};
        switch (kind) {
        case ValueKind::Fixed:
            break;
        case ValueKind::Stream:
            if (checkedOnly != nullptr && property.key == *checkedOnly) {
                storage.checkStream(valueStreamName(id, type));
            } else {
                property.data = storage.stream(valueStreamName(id, type)).value_or("");
            }
            break;
        case ValueKind::Streams:
            property.data = storage.stream(valueStreamName(id, type)).value_or("");
            readValues(storage, id, property);
            break;
        case ValueKind::Object:
            objects.emplace_back(id, property.key);
            break;
        }
        bag.put(std::move(property));
    }
    readUnlistedStreams(storage, names, bag);
    for (const auto& [id, key] : objects) {
        if (const auto child = storage.storage(valueStreamName(id, property_type::Object))) {
            readObject(bag, *bag.find(key, property_type::Object), *child);
        }
    }
    return bag;
}

std::optional<std::uint32_t> PropertyReader::integer(const PropertyKey& key) const {
    const Property* property = bag_.find(key, property_type::Long);
    if (property == nullptr) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(property->entry);
}

std::optional<Time> PropertyReader::time(const PropertyKey& key) const {
    const Property* property = bag_.find(key, property_type::SysTime);
    if (property == nullptr) {
        return std::nullopt;
    }
    return timeFromFileTime(property->entry);
}

std::optional<std::string_view> PropertyReader::binary(const PropertyKey& key) const {
    const Property* property = bag_.find(key, property_type::Binary);
    if (property == nullptr) {
        return std::nullopt;
    }
    return property->data;
}

std::optional<std::string> PropertyReader::text(const PropertyKey& key,
                                                std::uint32_t codePage) const {
    if (const Property* unicode = bag_.find(key, property_type::Unicode)) {
        return utf16ToUtf8(unicode->data);
    }
    if (const Property* bytes = bag_.find(key, property_type::String8)) {
        return codePageToUtf8(bytes->data, codePage);
    }
    return std::nullopt;
}

} // namespace lexi::msgfile
