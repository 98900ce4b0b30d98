#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexi::msgfile {

// The HTML that Outlook encapsulated in an RTF body (MS-OXRTFEX), as UTF-8,
// or nothing when the RTF does not come from HTML (no \fromhtml1).
std::optional<std::string> htmlFromRtf(std::string_view rtf);

} // namespace lexi::msgfile
