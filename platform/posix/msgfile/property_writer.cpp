#include "platform/posix/msgfile/property_writer.h"

#include "platform/posix/msgfile/compound_writer.h"
#include "platform/posix/msgfile/file_time.h"
#include "platform/posix/msgfile/named_properties.h"
#include "platform/posix/msgfile/storage_tree.h"
#include "platform/posix/msgfile/text_encoding.h"

namespace lexi::msgfile {
namespace {

// The size an object property's entry states.
constexpr std::uint64_t ObjectEntry = 0xFFFFFFFF;

// Whether the program changed a typed field; see PropertyWriter::text.
template <class Stored, class Field>
bool changed(const std::optional<Stored>& stored, const Field& field, const Field& none) {
    return stored ? *stored != field : field != none;
}

// The entry of a stream value is its size; a string's counts its terminator,
// which the stream leaves out.
std::uint64_t streamEntry(std::uint16_t type, std::string_view data) {
    const std::size_t terminator =
        type == property_type::Unicode ? 2 : (type == property_type::String8 ? 1 : 0);
    return data.size() + terminator;
}

} // namespace

PropertyWriter::PropertyWriter(const PropertyBag& bag) {
    for (const Property& property : bag) {
        slots_.push_back({&property.key, property.type, property.flags, property.entry,
                          property.data, &property.values, &property.object, false});
    }
}

PropertyWriter::Slot& PropertyWriter::set(const PropertyKey& key, std::uint16_t type,
                                          std::uint64_t entry, std::string_view data) {
    for (Slot& slot : slots_) {
        if (slot.type == type && *slot.key == key) {
            slot = {slot.key, type, slot.flags, entry, data, nullptr, nullptr, false};
            return slot;
        }
    }
    return slots_.emplace_back(Slot{&addedKeys_.emplace_back(key), type, ReadableAndWritable, entry,
                                    data, nullptr, nullptr, false});
}

void PropertyWriter::text(const PropertyKey& key, const std::optional<std::string>& stored,
                          const std::string& field) {
    if (changed(stored, field, std::string())) {
        replaceText(key, field);
    }
}

void PropertyWriter::time(const PropertyKey& key, const std::optional<Time>& stored, Time field) {
    if (!changed(stored, field, NoDate)) {
        return;
    }
    if (field == NoDate) {
        remove(key, property_type::SysTime);
    } else {
        set(key, property_type::SysTime, fileTimeFromTime(field), {});
    }
}

void PropertyWriter::integer(const PropertyKey& key, const std::optional<std::uint32_t>& stored,
                             std::uint32_t field, std::uint32_t none) {
    if (changed(stored, field, none)) {
        setInteger(key, field);
    }
}

void PropertyWriter::binary(const PropertyKey& key, const std::optional<std::string_view>& stored,
                            std::string_view field) {
    if (changed(stored, field, std::string_view())) {
        setBinary(key, field);
    }
}

void PropertyWriter::setInteger(const PropertyKey& key, std::uint32_t value) {
    set(key, property_type::Long, value, {});
}

void PropertyWriter::setBoolean(const PropertyKey& key, bool value) {
    set(key, property_type::Boolean, value ? 1 : 0, {});
}

void PropertyWriter::setBinary(const PropertyKey& key, std::string_view value) {
    set(key, property_type::Binary, 0, value);
}

void PropertyWriter::replaceText(const PropertyKey& key, std::string_view utf8) {
    remove(key, property_type::String8);
    if (utf8.empty()) {
        remove(key, property_type::Unicode);
    } else {
        set(key, property_type::Unicode, 0, madeValues_.emplace_back(utf8ToUtf16(utf8)));
    }
}

void PropertyWriter::setObject(const PropertyKey& key) {
    for (Slot& slot : slots_) {
        if (slot.type == property_type::Object && *slot.key == key) {
            slot.object = nullptr;
            slot.removed = false;
            return;
        }
    }
    set(key, property_type::Object, ObjectEntry, {});
}

void PropertyWriter::remove(const PropertyKey& key, std::uint16_t type) {
    for (Slot& slot : slots_) {
        if (slot.type == type && *slot.key == key) {
            slot.removed = true;
        }
    }
}

void PropertyWriter::removeEveryType(const PropertyKey& key) {
    for (Slot& slot : slots_) {
        if (*slot.key == key) {
            slot.removed = true;
        }
    }
}

void PropertyWriter::write(OutStorage& storage, std::string header,
                           NamedPropertyTable& names) const {
    std::vector<PropertyEntry> entries;
    std::vector<std::uint16_t> ids;
    entries.reserve(slots_.size());
    ids.reserve(slots_.size());
    for (const Slot& slot : slots_) {
        const std::uint16_t id = slot.removed ? 0 : names.id(*slot.key);
        ids.push_back(id);
        if (slot.removed) {
            continue;
        }
        const ValueKind kind = valueKindOf(slot.type);
        const std::uint64_t value = kind == ValueKind::Stream    ? streamEntry(slot.type, slot.data)
                                    : kind == ValueKind::Streams ? slot.data.size()
                                                                 : slot.entry;
        entries.push_back({propertyTag(id, slot.type), slot.flags, value});
    }
    storage.stream(PropertyStreamName, buildPropertyStream(std::move(header), entries));
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        const Slot& slot = slots_[i];
        if (slot.removed) {
            continue;
        }
        switch (valueKindOf(slot.type)) {
        case ValueKind::Fixed:
            break;
        case ValueKind::Stream:
            storage.stream(valueStreamName(ids[i], slot.type), slot.data);
            break;
        case ValueKind::Streams:
            storage.stream(valueStreamName(ids[i], slot.type), slot.data);
            for (std::uint32_t index = 0; slot.values && index < slot.values->size(); ++index) {
                storage.stream(valueStreamName(ids[i], slot.type, index), (*slot.values)[index]);
            }
            break;
        case ValueKind::Object:
            if (slot.object != nullptr) {
                OutStorage child = storage.storage(valueStreamName(ids[i], slot.type));
                writeStorageTree(child, *slot.object);
            }
            break;
        }
    }
}

} // namespace lexi::msgfile
