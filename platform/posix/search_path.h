#pragma once

#include <string>
#include <string_view>

namespace lexi::posix {

// The full path of a program on PATH; empty when there is none.
std::string findOnPath(std::string_view program);

} // namespace lexi::posix
