#pragma once

#include <string>
#include <string_view>

namespace lexi::msgfile {

// What a mail reader shows of a UTF-8 HTML body, as plain text with "\r\n"
// line ends: the head, styles, scripts and comments left out, white space
// collapsed outside <pre>, a line end for <br> and after each block, and the
// character references decoded. Broken markup is read as a browser would.
std::string plainTextFromHtml(std::string_view html);

} // namespace lexi::msgfile
