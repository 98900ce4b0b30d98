#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexi::script {

// One line of a transcript: a kind ("msgbox") and its fields, in order.
struct Record {
    std::string kind;
    std::vector<std::pair<std::string, std::string>> fields;

    // "kind<TAB>name=value<TAB>...", with "\", tab, carriage return and line
    // feed in values written as \\, \t, \r and \n, so a record is one line.
    std::string toLine() const;
    // The record of such a line.
    static Record fromLine(std::string_view line);
    // The value of a field, empty when the record lacks it.
    std::string field(std::string_view name) const;
};

// Where the records go.
using Transcript = std::function<void(const Record&)>;

// A value written with \\, \t, \r and \n, as a record or a script holds it,
// turned back into its text.
std::string unescape(std::string_view value);

} // namespace lexi::script
