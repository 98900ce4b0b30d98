#include "platform/win32/win32_ui.h"

#include "platform/win32/file_dialogs.h"
#include "platform/win32/settings_window_dialog.h"
#include "platform/win32/tray_window_dialog.h"
#include "platform/win32/wide_text.h"

namespace lexi::win32 {

int Win32Ui::messageBox(std::string_view text, int style, std::string_view title) {
    const int answer =
        MessageBoxW(owner(), toWide(text).c_str(), toWide(title).c_str(), static_cast<UINT>(style));
    return answer != 0 ? answer : msgbox::defaultAnswer(style);
}

void Win32Ui::doEvents() {
    loop_.runPending();
}

std::unique_ptr<TrayWindowView> Win32Ui::openTrayWindow(const TrayWindowContent& content,
                                                        TrayWindowEvents& events) {
    return std::make_unique<TrayWindowDialog>(loop_, content, events);
}

std::unique_ptr<SettingsWindowView>
Win32Ui::openSettingsWindow(const SettingsWindowContent& content, SettingsWindowEvents& events) {
    return std::make_unique<SettingsWindowDialog>(loop_, content, events);
}

void Win32Ui::runEventLoop() {
    loop_.run();
}

void Win32Ui::quitEventLoop() {
    loop_.quit();
}

void Win32Ui::repeatWhileRunning(std::chrono::milliseconds interval, std::function<void()> action) {
    loop_.repeat(interval, std::move(action));
}

std::string Win32Ui::saveFileName(std::string_view title, std::string_view suggested) {
    return saveFileDialog(owner(), title, suggested);
}

std::string Win32Ui::openFileName(std::string_view title, std::string_view filter,
                                  std::string_view folder, std::string_view fileName) {
    return openFileDialog(owner(), title, filter, folder, fileName);
}

std::string Win32Ui::chooseFolder(std::string_view title, std::string_view folder) {
    return folderDialog(owner(), title, folder);
}

} // namespace lexi::win32
