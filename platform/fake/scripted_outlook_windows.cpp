#include "platform/fake/scripted_outlook_windows.h"

namespace lexi::fake {

void ScriptedOutlookWindows::showComposeWindow(ComposeWindow& window) {
    shown.push_back(window.fields());
    if (!users.empty()) {
        const User user = std::move(users.front());
        users.pop_front();
        user(window);
    }
    // A window the user leaves open is closed; a handler that refuses to
    // close would keep a real user at the window, so the test stops there.
    for (int attempts = 0; window.isOpen() && attempts < 3; ++attempts) {
        window.close();
    }
}

int ScriptedOutlookWindows::pickFolder(const std::vector<std::string>& folderPaths) {
    pickerFolders.push_back(folderPaths);
    if (folderChoices.empty()) {
        return -1;
    }
    const int choice = folderChoices.front();
    folderChoices.pop_front();
    return choice;
}

} // namespace lexi::fake
