#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text helpers for UTF-8 strings, with the letter-case rules of the
// workstation: Latin letters, the Danish æ, ø and å among them, have a lower
// and an upper case; everything else is left as it is.
namespace lexi::text {

// The text with every letter in lower case (as LCase does).
std::string toLower(std::string_view utf8);

// The text with every letter in upper case (as UCase does).
std::string toUpper(std::string_view utf8);

// True when the texts are equal but for letter case, the way Windows compares
// registry names and file names.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// The parts of a text between the separators, in order: "a  b" split at " "
// gives "a", "" and "b"; a text without the separator gives itself.
std::vector<std::string_view> split(std::string_view text, std::string_view separator);

// The lines of a text, split as a line reader does: at CR LF, or at a CR
// alone. A final line end adds no empty line.
std::vector<std::string> readLines(std::string_view text);

// The text without spaces at its start and end (as Trim does; tabs stay).
std::string_view trimSpaces(std::string_view text);

// The length of the text as the workstation counts characters: in UTF-16
// code units.
std::size_t utf16Length(std::string_view utf8);

// The text's first `units` characters as the workstation counts them (Left);
// a character that does not fit whole is left out.
std::string_view left(std::string_view utf8, std::size_t units);

} // namespace lexi::text
