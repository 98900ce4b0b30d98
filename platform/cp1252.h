#pragma once

#include <string>
#include <string_view>

// The workstation's 8-bit code page, Windows-1252. Exchange files, callback
// files, the run log and registry data cross the platform boundary in it;
// inside the program every text is UTF-8.
namespace lexi::cp1252 {

// UTF-8 to Windows-1252 bytes. A character the code page lacks, and a byte
// that is not valid UTF-8, become "?", as the workstation's conversion does.
std::string fromUtf8(std::string_view utf8);

// Windows-1252 bytes to UTF-8. Every byte has a character: the five bytes the
// code page leaves unassigned map to the control characters of the same
// number, so any byte string survives a round trip.
std::string toUtf8(std::string_view bytes);

} // namespace lexi::cp1252
