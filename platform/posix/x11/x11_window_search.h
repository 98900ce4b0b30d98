#pragma once

#include "platform/window_search.h"

namespace lexi::posix {

// The top-level windows of the X display named by DISPLAY. A window's class
// is the class part of its WM_CLASS, compared in any letter case as window
// classes are; its title is _NET_WM_NAME, else WM_NAME, compared exactly.
// Under a window manager that frames its clients, the client inside each
// frame counts as the top-level window.
class X11WindowSearch final : public WindowSearch {
public:
    bool findWindow(std::string_view windowClass, std::string_view title) override;
};

} // namespace lexi::posix
