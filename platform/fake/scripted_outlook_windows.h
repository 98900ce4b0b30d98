#pragma once

#include "platform/compose_window.h"

#include <deque>
#include <functional>
#include <vector>

namespace lexi::fake {

// Outlook's windows for tests: each mail window shown is handed to the next
// scripted user, who edits, sends or closes it; a window the user leaves
// open is closed. What every window showed when it opened is kept.
class ScriptedOutlookWindows final : public OutlookWindows {
public:
    using User = std::function<void(ComposeWindow&)>;

    void showComposeWindow(ComposeWindow& window) override;
    int pickFolder(const std::vector<std::string>& folderPaths) override;
    void showItemWindow(const ItemWindowContent& content) override {
        itemWindows.push_back(content);
    }

    // The users of the next mail windows, in order.
    std::deque<User> users;
    // The answers of the next folder pickers (-1 cancels).
    std::deque<int> folderChoices;

    std::vector<ComposeFields> shown;
    std::vector<std::vector<std::string>> pickerFolders;
    // The item windows opened, in order.
    std::vector<ItemWindowContent> itemWindows;

    static User sends() {
        return [](ComposeWindow& window) {
            window.send();
        };
    }
    static User closes() {
        return [](ComposeWindow& window) {
            window.close();
        };
    }
};

} // namespace lexi::fake
