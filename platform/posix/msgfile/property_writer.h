#pragma once

#include "platform/posix/msgfile/message.h"
#include "platform/posix/msgfile/property_bag.h"
#include "platform/posix/msgfile/property_stream.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Writes the properties of one object (message, recipient or attachment) as
// its property stream and value streams: every property of its bag as the
// file had it, except what the typed fields changed.
namespace lexi::msgfile {

class OutStorage;
class NamedPropertyTable;

class PropertyWriter {
public:
    // The bag, and every value handed over as a view, must outlive the writer.
    explicit PropertyWriter(const PropertyBag& bag);

    // A typed field over its property. `stored` is the bag's value as the
    // reader decodes it. The field replaces the property when the property
    // decodes to something else, or is absent while the field holds a value
    // (a non-empty text, a time other than NoDate, a number other than
    // `none`); an empty text or NoDate then removes it. Texts are written as
    // Unicode, replacing an 8-bit twin.
    void text(const PropertyKey& key, const std::optional<std::string>& stored,
              const std::string& field);
    void time(const PropertyKey& key, const std::optional<Time>& stored, Time field);
    void integer(const PropertyKey& key, const std::optional<std::uint32_t>& stored,
                 std::uint32_t field, std::uint32_t none);
    void binary(const PropertyKey& key, const std::optional<std::string_view>& stored,
                std::string_view field);

    // Replace or add a property whatever the bag holds.
    void setInteger(const PropertyKey& key, std::uint32_t value);
    void setBoolean(const PropertyKey& key, bool value);
    void setBinary(const PropertyKey& key, std::string_view value);
    // Unicode, replacing an 8-bit twin; an empty text removes both.
    void replaceText(const PropertyKey& key, std::string_view utf8);
    // An object property whose storage the caller writes.
    void setObject(const PropertyKey& key);
    void remove(const PropertyKey& key, std::uint16_t type);
    void removeEveryType(const PropertyKey& key);

    // header: the bytes before the entries (one of the header sizes).
    void write(OutStorage& storage, std::string header, NamedPropertyTable& names) const;

private:
    struct Slot {
        const PropertyKey* key;
        std::uint16_t type;
        std::uint32_t flags;
        std::uint64_t entry;
        std::string_view data;
        const std::vector<std::string>* values;
        const StorageTree* object; // null: the caller writes the storage
        bool removed;
    };
    Slot& set(const PropertyKey& key, std::uint16_t type, std::uint64_t entry,
              std::string_view data);

    std::vector<Slot> slots_;
    std::deque<PropertyKey> addedKeys_;
    std::deque<std::string> madeValues_;
};

} // namespace lexi::msgfile
