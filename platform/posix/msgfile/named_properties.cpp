#include "platform/posix/msgfile/named_properties.h"

#include "platform/posix/msgfile/compound_reader.h"
#include "platform/posix/msgfile/compound_writer.h"
#include "platform/posix/msgfile/little_endian.h"
#include "platform/posix/msgfile/property_stream.h"
#include "platform/posix/msgfile/text_encoding.h"

#include <algorithm>

namespace lexi::msgfile {
namespace {

constexpr std::uint16_t FirstNamedId = 0x8000;
constexpr std::size_t EntrySize = 8;
constexpr std::size_t GuidSize = 16;
// GUID indexes 1 and 2 stand for PS_MAPI and PS_PUBLIC_STRINGS; the GUID
// stream holds the property sets from index 3 on.
constexpr Guid PsMapi{0x28, 0x03, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
constexpr Guid PsPublicStrings{0x29, 0x03, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
constexpr std::uint32_t FirstStreamGuidIndex = 3;
constexpr std::uint16_t FirstBucketStreamId = 0x1000;
constexpr std::uint32_t BucketCount = 0x1F;

std::string mappingStreamName(std::uint16_t streamId) {
    return valueStreamName(streamId, property_type::Binary);
}

const std::string GuidStream = mappingStreamName(0x0002);
const std::string EntryStream = mappingStreamName(0x0003);
const std::string StringStream = mappingStreamName(0x0004);

std::optional<Guid> propertySetAt(const std::string& guids, std::uint32_t guidIndex) {
    if (guidIndex == 1 || guidIndex == 2) {
        return guidIndex == 1 ? PsMapi : PsPublicStrings;
    }
    const std::size_t offset = (guidIndex - FirstStreamGuidIndex) * GuidSize;
    if (guidIndex < FirstStreamGuidIndex || offset + GuidSize > guids.size()) {
        return std::nullopt;
    }
    Guid propertySet;
    std::copy_n(guids.begin() + static_cast<std::ptrdiff_t>(offset), GuidSize, propertySet.begin());
    return propertySet;
}

// A string name in the string stream: its byte count, then UTF-16LE.
std::optional<std::string> nameAt(const std::string& strings, std::size_t offset) {
    if (offset + 4 > strings.size()) {
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(readLittleEndian(strings, offset, 4));
    if (size > strings.size() - offset - 4) {
        return std::nullopt;
    }
    return utf16ToUtf8(std::string_view(strings).substr(offset + 4, size));
}

// CRC-32 (the polynomial of zip and Ethernet) of a string name's UTF-16LE
// bytes: the hash that picks its bucket stream.
std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = crc >> 1 ^ (0xEDB88320 & (0u - (crc & 1)));
        }
    }
    return ~crc;
}

} // namespace

NamedPropertyIds::NamedPropertyIds(const Storage& root) {
    const auto storage = root.storage(NameIdStorageName);
    if (!storage) {
        return;
    }
    const std::string guids = storage->stream(GuidStream).value_or("");
    const std::string entries = storage->stream(EntryStream).value_or("");
    const std::string strings = storage->stream(StringStream).value_or("");
    for (std::size_t offset = 0; offset + EntrySize <= entries.size(); offset += EntrySize) {
        const auto nameOrOffset = static_cast<std::uint32_t>(readLittleEndian(entries, offset, 4));
        const auto info = static_cast<std::uint32_t>(readLittleEndian(entries, offset + 4, 4));
        const auto propertySet = propertySetAt(guids, info >> 1 & 0x7FFF);
        if (!propertySet) {
            continue;
        }
        PropertyName name{*propertySet, nameOrOffset};
        if ((info & 1) != 0) {
            name.lid = 0;
            name.text = nameAt(strings, nameOrOffset);
            if (!name.text) {
                continue;
            }
        }
        names_.emplace(static_cast<std::uint16_t>(FirstNamedId + (info >> 16)), std::move(name));
    }
}

std::optional<PropertyKey> NamedPropertyIds::key(std::uint16_t id) const {
    if (id < FirstNamedId) {
        return tagged(id);
    }
    const auto found = names_.find(id);
    if (found == names_.end()) {
        return std::nullopt;
    }
    return PropertyKey{0, found->second};
}

std::uint16_t NamedPropertyTable::id(const PropertyKey& key) {
    if (!key.name) {
        return key.id;
    }
    auto found = std::find(names_.begin(), names_.end(), *key.name);
    if (found == names_.end()) {
        const Guid& propertySet = key.name->propertySet;
        if (propertySet != PsMapi && propertySet != PsPublicStrings &&
            std::find(propertySets_.begin(), propertySets_.end(), propertySet) ==
                propertySets_.end()) {
            propertySets_.push_back(propertySet);
        }
        found = names_.insert(names_.end(), *key.name);
    }
    return static_cast<std::uint16_t>(FirstNamedId + (found - names_.begin()));
}

std::uint32_t NamedPropertyTable::guidIndex(const Guid& propertySet) const {
    if (propertySet == PsMapi || propertySet == PsPublicStrings) {
        return propertySet == PsMapi ? 1 : 2;
    }
    const auto position = std::find(propertySets_.begin(), propertySets_.end(), propertySet);
    return FirstStreamGuidIndex + static_cast<std::uint32_t>(position - propertySets_.begin());
}

void NamedPropertyTable::write(OutStorage& root) const {
    OutStorage storage = root.storage(NameIdStorageName);
    std::string guids;
    for (const Guid& propertySet : propertySets_) {
        guids.append(propertySet.begin(), propertySet.end());
    }
    // An entry is the number or the string's offset, then the property index,
    // the GUID index and the kind (1: string) in the lowest bit. Besides the
    // list of entries, readers look names up in hash buckets: stream 0x1000 +
    // (number or CRC XOR (GUID index << 1 | kind)) mod 0x1F holds the number
    // or CRC and the second half of the entry.
    std::string entries;
    std::string strings;
    std::map<std::uint16_t, std::string> buckets;
    for (std::size_t index = 0; index < names_.size(); ++index) {
        const PropertyName& name = names_[index];
        const std::uint32_t kind = name.text ? 1 : 0;
        std::uint32_t nameOrOffset = name.lid;
        std::uint32_t hash = name.lid;
        if (name.text) {
            const std::string utf16 = utf8ToUtf16(*name.text);
            nameOrOffset = static_cast<std::uint32_t>(strings.size());
            hash = crc32(utf16);
            appendLittleEndian(strings, utf16.size(), 4);
            strings += utf16;
            strings.resize((strings.size() + 3) / 4 * 4, '\0');
        }
        const std::uint32_t guid = guidIndex(name.propertySet);
        const std::uint32_t info = static_cast<std::uint32_t>(index) << 16 | guid << 1 | kind;
        const auto bucket = static_cast<std::uint16_t>(FirstBucketStreamId +
                                                       (hash ^ (guid << 1 | kind)) % BucketCount);
        appendLittleEndian(entries, nameOrOffset, 4);
        appendLittleEndian(entries, info, 4);
        appendLittleEndian(buckets[bucket], hash, 4);
        appendLittleEndian(buckets[bucket], info, 4);
    }
    storage.stream(GuidStream, guids);
    storage.stream(EntryStream, entries);
    storage.stream(StringStream, strings);
    for (const auto& [streamId, bucket] : buckets) {
        storage.stream(mappingStreamName(streamId), bucket);
    }
}

} // namespace lexi::msgfile
