#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The smallest UTF-8 toolkit the text modules share.
namespace lexi::utf8 {

inline constexpr char32_t Invalid = 0xFFFFFFFF;

// Decodes the character at `pos` and moves `pos` past it. A malformed or
// truncated sequence yields Invalid and moves past one byte.
char32_t decode(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of a code point.
void append(std::string& out, char32_t codePoint);

} // namespace lexi::utf8
