#include "platform/posix/msgfile/property_stream.h"

#include "platform/posix/msgfile/corrupt_file.h"
#include "platform/posix/msgfile/little_endian.h"

#include <cstdio>

namespace lexi::msgfile {
namespace {

constexpr std::size_t EntrySize = 16;

} // namespace

std::string valueStreamName(std::uint16_t id, std::uint16_t type) {
    char name[32];
    std::snprintf(name, sizeof name, "__substg1.0_%04X%04X", id, type);
    return name;
}

std::string valueStreamName(std::uint16_t id, std::uint16_t type, std::uint32_t index) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "-%08X", index);
    return valueStreamName(id, type) + suffix;
}

std::vector<PropertyEntry> parsePropertyStream(std::string_view stream, std::size_t headerSize) {
    if (stream.size() < headerSize || (stream.size() - headerSize) % EntrySize != 0) {
        throw CorruptFile("a property stream has a broken length");
    }
    std::vector<PropertyEntry> entries;
    entries.reserve((stream.size() - headerSize) / EntrySize);
    for (std::size_t offset = headerSize; offset < stream.size(); offset += EntrySize) {
        entries.push_back({static_cast<std::uint32_t>(readLittleEndian(stream, offset, 4)),
                           static_cast<std::uint32_t>(readLittleEndian(stream, offset + 4, 4)),
                           readLittleEndian(stream, offset + 8, 8)});
    }
    return entries;
}

std::string buildPropertyStream(std::string header, const std::vector<PropertyEntry>& entries) {
    std::string stream = std::move(header);
    stream.reserve(stream.size() + entries.size() * EntrySize);
    for (const PropertyEntry& entry : entries) {
        appendLittleEndian(stream, entry.tag, 4);
        appendLittleEndian(stream, entry.flags, 4);
        appendLittleEndian(stream, entry.value, 8);
    }
    return stream;
}

} // namespace lexi::msgfile
