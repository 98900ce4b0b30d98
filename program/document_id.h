#pragma once

#include <string_view>

namespace lexi {

// True when the text is no document ID: anything but a text of exactly 38
// characters other than the nil identifier in braces.
bool IsEmptyId(std::string_view id);

} // namespace lexi
