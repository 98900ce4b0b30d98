#pragma once

#include <string>
#include <string_view>

namespace lexi::msgfile {

// The text of an RTF body as UTF-8 with "\r\n" line ends, as the item's plain
// body shows it; of an RTF body that encapsulates HTML, the text of the HTML.
std::string plainTextFromRtf(std::string_view rtf);

} // namespace lexi::msgfile
