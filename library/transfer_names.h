#pragma once

#include "platform/filesystem.h"

#include <string>
#include <string_view>

namespace lexi {

// The file name an item is saved under: its subject without the characters a
// file name must not or need not hold (spaces, punctuation, the characters
// Windows refuses, and control characters), "email" when nothing is left,
// then ".msg".
std::string cleanedFileName(std::string_view subject);

// The name fitted into the case folder (which ends in "\"): a folder and
// name longer than 200 characters, or a name too long for the file system,
// leave as many of the name's first 192 characters as fit, and ".....msg";
// then, while a file of the name is there, the counter `k` (kept across the
// items of one transfer) goes up and replaces the end of the name
// (Referat.msg, Refera1.msg, Refera2.msg).
std::string fittedFileName(const std::string& folder, std::string name, int& k, FileSystem& files);

} // namespace lexi
