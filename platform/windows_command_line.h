#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexi {

// Splits a command line into arguments by the workstation's rules: the program
// name ends at the next space, or at its closing quote when it starts with
// one; then arguments are separated by spaces and tabs, double quotes group,
// 2n backslashes before a quote give n backslashes and a grouping quote,
// 2n+1 give n backslashes and a literal quote, and "" inside a group is a
// literal quote.
std::vector<std::string> splitWindowsCommandLine(std::string_view commandLine);

// What follows the program name, as the program's one argument text: quotes
// kept, nothing split, the blanks before it left out.
std::string_view argumentText(std::string_view commandLine);

} // namespace lexi
