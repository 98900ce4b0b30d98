#include "library/text_table.h"

#include "platform/failure.h"

namespace lexi {

void TextTable::redim(int lastRow, int lastColumn) {
    if (lastRow < 0 || lastColumn < 0) {
        throw Failure(failure::SubscriptOutOfRange, "Casebench");
    }
    lastRow_ = lastRow;
    lastColumn_ = lastColumn;
    entries_.assign(static_cast<std::size_t>(lastRow + 1) *
                        static_cast<std::size_t>(lastColumn + 1),
                    std::string());
}

void TextTable::erase() {
    lastRow_ = -1;
    lastColumn_ = -1;
    entries_.clear();
}

std::size_t TextTable::index(int row, int column) const {
    if (row < 0 || row > lastRow_ || column < 0 || column > lastColumn_) {
        throw Failure(failure::SubscriptOutOfRange, "Casebench");
    }
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(lastColumn_ + 1) +
           static_cast<std::size_t>(column);
}

const std::string& TextTable::at(int row, int column) const {
    return entries_[index(row, column)];
}

std::string& TextTable::at(int row, int column) {
    return entries_[index(row, column)];
}

} // namespace lexi
