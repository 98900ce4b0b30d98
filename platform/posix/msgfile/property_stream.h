#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The property stream "__properties_version1.0" of a message, recipient or
// attachment storage (MS-OXMSG 2.4), and the names of the streams that hold
// variable-size values.
namespace lexi::msgfile {

inline constexpr char PropertyStreamName[] = "__properties_version1.0";
// The header before the entries: 32 bytes for the top-level message, 24 for
// an attached mail, 8 for a recipient or attachment.
inline constexpr std::size_t MessageHeaderSize = 32;
inline constexpr std::size_t EmbeddedMessageHeaderSize = 24;
inline constexpr std::size_t ChildHeaderSize = 8;

// Entry flags: the property can be read and written.
inline constexpr std::uint32_t ReadableAndWritable = 0x2 | 0x4;

constexpr std::uint32_t propertyTag(std::uint16_t id, std::uint16_t type) {
    return static_cast<std::uint32_t>(id) << 16 | type;
}

// "__substg1.0_IIIITTTT": the stream of a variable-size value.
std::string valueStreamName(std::uint16_t id, std::uint16_t type);
// "__substg1.0_IIIITTTT-0000000N": value N of a multi-valued variable-size one.
std::string valueStreamName(std::uint16_t id, std::uint16_t type, std::uint32_t index);

// One 16-byte entry: the value of a fixed-size property, or the byte count of
// a variable-size one.
struct PropertyEntry {
    std::uint32_t tag;
    std::uint32_t flags;
    std::uint64_t value;
};

// The entries of a property stream in their order. Throws CorruptFile when the
// stream is shorter than its header or ends inside an entry.
std::vector<PropertyEntry> parsePropertyStream(std::string_view stream, std::size_t headerSize);

// A property stream with the given header (one of the header sizes above) and
// entries.
std::string buildPropertyStream(std::string header, const std::vector<PropertyEntry>& entries);

} // namespace lexi::msgfile
