#include "platform/posix/msgfile/named_properties.h"

#include "platform/posix/msgfile/compound_reader.h"
#include "platform/posix/msgfile/compound_writer.h"
#include "platform/posix/msgfile/little_endian.h"
#include "platform/posix/msgfile/property_stream.h"

#include <algorithm>

namespace lexi::msgfile {
namespace {

constexpr std::uint16_t FirstNamedId = 0x8000;
constexpr std::size_t EntrySize = 8;
constexpr std::size_t GuidSize = 16;
// GUID indexes 1 and 2 stand for PS_MAPI and PS_PUBLIC_STRINGS; the GUID
// stream holds the property sets from index 3 on.
constexpr std::uint32_t FirstStreamGuidIndex = 3;
constexpr std::uint16_t FirstBucketStreamId = 0x1000;
constexpr std::uint32_t BucketCount = 0x1F;

std::string mappingStreamName(std::uint16_t streamId) {
    return valueStreamName(streamId, property_type::Binary);
}

const std::string GuidStream = mappingStreamName(0x0002);
const std::string EntryStream = mappingStreamName(0x0003);
const std::string StringStream = mappingStreamName(0x0004);

// The second half of an entry: property index, GUID index, and kind 0
// (numbered) in the lowest bit.
std::uint32_t indexAndKind(std::uint32_t propertyIndex, std::uint32_t guidIndex) {
    return propertyIndex << 16 | guidIndex << 1;
}

} // namespace

NamedPropertyIds::NamedPropertyIds(const Storage& root) {
    const auto storage = root.storage(NameIdStorageName);
    if (!storage) {
        return;
    }
    const std::string guids = storage->stream(GuidStream).value_or("");
    const std::string entries = storage->stream(EntryStream).value_or("");
    for (std::size_t offset = 0; offset + EntrySize <= entries.size(); offset += EntrySize) {
        const auto lid = static_cast<std::uint32_t>(readLittleEndian(entries, offset, 4));
        const auto info = static_cast<std::uint32_t>(readLittleEndian(entries, offset + 4, 4));
        const bool stringNamed = (info & 1) != 0;
        const std::uint32_t guidIndex = info >> 1 & 0x7FFF;
        const std::size_t guidOffset = (guidIndex - FirstStreamGuidIndex) * GuidSize;
        if (stringNamed || guidIndex < FirstStreamGuidIndex ||
            guidOffset + GuidSize > guids.size()) {
            continue;
        }
        Guid propertySet;
        std::copy_n(guids.begin() + static_cast<std::ptrdiff_t>(guidOffset), GuidSize,
                    propertySet.begin());
        ids_.emplace(PropertyName{propertySet, lid},
                     static_cast<std::uint16_t>(FirstNamedId + (info >> 16)));
    }
}

std::optional<std::uint16_t> NamedPropertyIds::find(const PropertyKey& key) const {
    if (!key.name) {
        return key.id;
    }
    const auto found = ids_.find(*key.name);
    if (found == ids_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::uint16_t NamedPropertyTable::id(const PropertyKey& key) {
    if (!key.name) {
        return key.id;
    }
    auto found = std::find(names_.begin(), names_.end(), *key.name);
    if (found == names_.end()) {
        if (std::find(propertySets_.begin(), propertySets_.end(), key.name->propertySet) ==
            propertySets_.end()) {
            propertySets_.push_back(key.name->propertySet);
        }
        found = names_.insert(names_.end(), *key.name);
    }
    return static_cast<std::uint16_t>(FirstNamedId + (found - names_.begin()));
}

std::uint16_t NamedPropertyTable::guidIndex(const Guid& propertySet) const {
    const auto position = std::find(propertySets_.begin(), propertySets_.end(), propertySet);
    return static_cast<std::uint16_t>(FirstStreamGuidIndex + (position - propertySets_.begin()));
}

void NamedPropertyTable::write(OutStorage& root) const {
    OutStorage storage = root.storage(NameIdStorageName);
    std::string guids;
    for (const Guid& propertySet : propertySets_) {
        guids.append(propertySet.begin(), propertySet.end());
    }
    // Besides the list of entries, readers look names up in hash buckets:
    // stream 0x1000 + (lid XOR GUID index << 1) mod 0x1F holds the entries of
    // its names.
    std::string entries;
    std::map<std::uint16_t, std::string> buckets;
    for (std::size_t index = 0; index < names_.size(); ++index) {
        const std::uint32_t lid = names_[index].lid;
        const std::uint32_t guid = guidIndex(names_[index].propertySet);
        const std::uint32_t info = indexAndKind(static_cast<std::uint32_t>(index), guid);
        const auto bucket =
            static_cast<std::uint16_t>(FirstBucketStreamId + (lid ^ guid << 1) % BucketCount);
        for (std::string* stream : {&entries, &buckets[bucket]}) {
            appendLittleEndian(*stream, lid, 4);
            appendLittleEndian(*stream, info, 4);
        }
    }
    storage.stream(GuidStream, guids);
    storage.stream(EntryStream, entries);
    storage.stream(StringStream, "");
    for (const auto& [streamId, bucket] : buckets) {
        storage.stream(mappingStreamName(streamId), bucket);
    }
}

} // namespace lexi::msgfile
