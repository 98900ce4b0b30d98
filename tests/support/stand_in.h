#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace lexi::testing {

// Writes an executable stand-in for a program: when run, it writes its
// working folder and then each of its arguments, one per line, to `record`.
void writeStandIn(const std::filesystem::path& program, const std::filesystem::path& record);

// The lines a stand-in wrote, once it has written them (waiting up to three
// seconds); empty when it never ran.
std::vector<std::string> standInCalls(const std::filesystem::path& record);

// A desktop of its own in `folder` on which only ".docx" files have an
// application: the environment that points a program at it.
std::map<std::string, std::string> desktopOpeningDocx(const std::filesystem::path& folder);

// PATH with the folder in front of the current search path.
std::string pathWith(const std::filesystem::path& folder);

} // namespace lexi::testing
