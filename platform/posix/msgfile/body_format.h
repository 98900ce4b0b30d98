#pragma once

#include "platform/posix/msgfile/message.h"

#include <cstdint>
#include <optional>

// Outlook's body format and the file's PidTagNativeBody, which numbers the
// same formats differently.
namespace lexi::msgfile {

std::optional<std::uint32_t> nativeBodyOf(BodyFormat format);
std::optional<BodyFormat> bodyFormatOf(std::uint32_t nativeBody);

} // namespace lexi::msgfile
