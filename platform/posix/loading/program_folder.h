#pragma once

#include <filesystem>

namespace lexi::posix {

// The folder that holds the running program's file; empty when the system
// does not say.
std::filesystem::path programFolder();

// The running program's file itself; empty when the system does not say.
std::filesystem::path programFile();

} // namespace lexi::posix
