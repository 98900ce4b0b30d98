#pragma once

#include "platform/window_search.h"

namespace lexi::win32 {

// The desktop's top-level windows, found with FindWindowA: class and title
// in the code page.
class Win32WindowSearch final : public WindowSearch {
public:
    bool findWindow(std::string_view windowClass, std::string_view title) override;
};

} // namespace lexi::win32
