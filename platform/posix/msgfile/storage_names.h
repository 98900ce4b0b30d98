#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// The storages of a message's recipients and attachments (MS-OXMSG 2.2.1,
// 2.2.2): the prefix and an eight-digit hexadecimal number.
namespace lexi::msgfile {

inline constexpr std::string_view RecipientStoragePrefix = "__recip_version1.0_#";
inline constexpr std::string_view AttachmentStoragePrefix = "__attach_version1.0_#";

inline std::string childStorageName(std::string_view prefix, std::uint32_t number) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", number);
    return std::string(prefix) + digits;
}

} // namespace lexi::msgfile
