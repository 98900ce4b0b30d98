#pragma once

#include <string>
#include <string_view>

// Texts at the Win32 boundary: the program keeps UTF-8, the W functions take
// and give UTF-16.
namespace lexi::win32 {

// UTF-8 to UTF-16; a byte that is not valid UTF-8 becomes U+FFFD.
std::wstring toWide(std::string_view utf8);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string fromWide(std::wstring_view utf16);

} // namespace lexi::win32
