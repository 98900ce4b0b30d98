#pragma once

#include "platform/ui.h"
#include "platform/win32/message_loop.h"

#include <windows.h>

namespace lexi::win32 {

// The UI of Windows: MessageBoxW with the style values as the program gives
// them, Windows' own file and folder dialogs, and the program's windows as
// dialogs of the resource script, each in a file of its own, run by one
// message loop. The windows not drawn on Windows yet are in
// windows_not_drawn.cpp: asking for one fails with a Failure that names it.
class Win32Ui : public Ui {
public:
    int messageBox(std::string_view text, int style, std::string_view title) override;
    // A real message pump: the messages waiting run, so that the windows
    // stay responsive during the waits that let them.
    void doEvents() override;
    std::unique_ptr<TrayWindowView> openTrayWindow(const TrayWindowContent& content,
                                                   TrayWindowEvents& events) override;
    std::unique_ptr<SettingsWindowView> openSettingsWindow(const SettingsWindowContent& content,
                                                           SettingsWindowEvents& events) override;
    std::unique_ptr<MakingPdfWindowView>
    openMakingPdfWindow(const MakingPdfWindowContent& content,
                        MakingPdfWindowEvents& events) override;
    void runEventLoop() override;
    void quitEventLoop() override;
    void repeatWhileRunning(std::chrono::milliseconds interval,
                            std::function<void()> action) override;
    // Outlook shows its own mail, item and folder windows on Windows.
    void showComposeWindow(ComposeWindow& window) override;
    int pickFolder(const std::vector<std::string>& folderPaths) override;
    void showItemWindow(const ItemWindowContent& content) override;
    std::string saveFileName(std::string_view title, std::string_view suggested) override;
    std::string openFileName(std::string_view title, std::string_view filter,
                             std::string_view folder, std::string_view fileName) override;
    std::string chooseFolder(std::string_view title, std::string_view folder) override;
    void showTextWindow(const TextWindowContent& content, TextWindowEvents& events) override;
    std::unique_ptr<NamingDialogView> openNamingDialog(const NamingDialogContent& content,
                                                       NamingDialogEvents& events) override;
    std::unique_ptr<TransferDialogView> openTransferDialog(const TransferDialogContent& content,
                                                           TransferDialogEvents& events) override;

protected:
    MessageLoop& loop() { return loop_; }
    // The owner of a modal window: the thread's active window, if any.
    static HWND owner() { return GetActiveWindow(); }

private:
    MessageLoop loop_;
};

} // namespace lexi::win32
