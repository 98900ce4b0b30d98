#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexi::msgfile {

// The RTF in a PR_RTF_COMPRESSED value (MS-OXRTFCP): "LZFu" compressed or
// "MELA" stored. Empty when the value is damaged. The result is never longer
// than the RTF's stated size, nor than the value can expand to.
std::optional<std::string> decompressRtf(std::string_view compressed);

} // namespace lexi::msgfile
