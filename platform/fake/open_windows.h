#pragma once

#include "platform/window_search.h"

#include <string>
#include <utility>
#include <vector>

namespace lexi::fake {

// A desktop whose top-level windows, class and title, are the test's to set.
class OpenWindows final : public WindowSearch {
public:
    bool findWindow(std::string_view windowClass, std::string_view title) override {
        for (const auto& [openClass, openTitle] : windows) {
            if (openClass == windowClass && (title.empty() || openTitle == title)) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::pair<std::string, std::string>> windows;
};

} // namespace lexi::fake
