#pragma once

#include <string>
#include <vector>

namespace lexi {

// A two-dimensional table of texts with lower bounds 0, as the library's
// shared tables are dimensioned. A table that was never dimensioned has no
// entry: reading it fails with "Subscript out of range" (9), as does any
// index outside the bounds.
class TextTable {
public:
    // Dimensions the table anew, every entry empty: rows 0 to `lastRow`,
    // columns 0 to `lastColumn`. A negative bound fails with 9.
    void redim(int lastRow, int lastColumn);
    // Back to never dimensioned.
    void erase();

    const std::string& at(int row, int column) const;
    std::string& at(int row, int column);

    // The upper bounds; -1 for a table never dimensioned.
    int lastRow() const { return lastRow_; }
    int lastColumn() const { return lastColumn_; }

private:
    std::size_t index(int row, int column) const;

    int lastRow_ = -1;
    int lastColumn_ = -1;
    std::vector<std::string> entries_;
};

} // namespace lexi
