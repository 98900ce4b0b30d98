#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// How a field of an item is found among the file's properties.
namespace lexi::msgfile {

// Property types (MS-OXCDATA 2.11.1).
namespace property_type {
inline constexpr std::uint16_t Long = 0x0003;
inline constexpr std::uint16_t Double = 0x0005;
inline constexpr std::uint16_t Boolean = 0x000B;
inline constexpr std::uint16_t Object = 0x000D;
inline constexpr std::uint16_t String8 = 0x001E;
inline constexpr std::uint16_t Unicode = 0x001F;
inline constexpr std::uint16_t SysTime = 0x0040;
inline constexpr std::uint16_t Guid = 0x0048;
inline constexpr std::uint16_t Binary = 0x0102;
// Added to a type for a list of its values.
inline constexpr std::uint16_t Multiple = 0x1000;
} // namespace property_type

// A GUID in its on-disk byte order.
using Guid = std::array<std::uint8_t, 16>;

// A named property: a number (MNID_ID) or, when `text` is set, a string
// (MNID_STRING) in a property set.
struct PropertyName {
    Guid propertySet;
    std::uint32_t lid = 0;
    std::optional<std::string> text{};

    bool operator==(const PropertyName&) const = default;
    auto operator<=>(const PropertyName&) const = default;
};

// Either a fixed property id (below 0x8000) or a named property, whose id
// each file assigns for itself.
struct PropertyKey {
    std::uint16_t id = 0;
    std::optional<PropertyName> name;

    bool operator==(const PropertyKey&) const = default;
};

constexpr PropertyKey tagged(std::uint16_t id) {
    return {id, std::nullopt};
}

inline PropertyKey named(const Guid& propertySet, std::uint32_t lid) {
    return {0, PropertyName{propertySet, lid}};
}

inline PropertyKey named(const Guid& propertySet, std::string text) {
    return {0, PropertyName{propertySet, 0, std::move(text)}};
}

} // namespace lexi::msgfile
