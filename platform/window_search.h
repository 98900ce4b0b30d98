#pragma once

#include <string_view>

namespace lexi {

// Finds top-level windows of the desktop. Never fails: a desktop that
// cannot be asked has no windows.
class WindowSearch {
public:
    virtual ~WindowSearch() = default;

    // True when a top-level window with that class (and, when not empty, that
    // title) exists.
    virtual bool findWindow(std::string_view windowClass, std::string_view title) = 0;
};

} // namespace lexi
