#include "platform/posix/msgfile/property_stream.h"

#include "platform/posix/msgfile/corrupt_file.h"
#include "platform/posix/msgfile/little_endian.h"

#include <cstdio>

namespace lexi::msgfile {
namespace {

constexpr std::size_t EntrySize = 16;
constexpr std::uint32_t ReadableAndWritable = 0x2 | 0x4;

} // namespace

std::string valueStreamName(std::uint16_t id, std::uint16_t type) {
    char name[32];
    std::snprintf(name, sizeof name, "__substg1.0_%04X%04X", id, type);
    return name;
}

std::map<std::uint32_t, std::uint64_t> parsePropertyStream(std::string_view stream,
                                                           std::size_t headerSize) {
    if (stream.size() < headerSize || (stream.size() - headerSize) % EntrySize != 0) {
        throw CorruptFile("a property stream has a broken length");
    }
    std::map<std::uint32_t, std::uint64_t> entries;
    for (std::size_t offset = headerSize; offset < stream.size(); offset += EntrySize) {
        const auto tag = static_cast<std::uint32_t>(readLittleEndian(stream, offset, 4));
        entries[tag] = readLittleEndian(stream, offset + 8, 8);
    }
    return entries;
}

std::string buildPropertyStream(std::string header, const std::vector<PropertyEntry>& entries) {
    std::string stream = std::move(header);
    stream.reserve(stream.size() + entries.size() * EntrySize);
    for (const PropertyEntry& entry : entries) {
        appendLittleEndian(stream, entry.tag, 4);
        appendLittleEndian(stream, ReadableAndWritable, 4);
        appendLittleEndian(stream, entry.value, 8);
    }
    return stream;
}

} // namespace lexi::msgfile
