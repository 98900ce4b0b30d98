#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The file stores every number little-endian.
namespace lexi::msgfile {

// Reads `size` bytes at `offset`; the caller has checked that they are there.
inline std::uint64_t readLittleEndian(std::string_view bytes, std::size_t offset,
                                      std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

inline void appendLittleEndian(std::string& out, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

} // namespace lexi::msgfile
