#pragma once

#include "platform/qt/event_loop.h"
#include "platform/ui.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

class QApplication;

namespace lexi::qt {

// The UI of the desktop, with Qt Widgets. Creating it starts the Qt
// application, unless its host has one already; only one may exist at a
// time. Its file dialogs take and give host paths: the composition root maps
// the workstation's drive paths.
class QtUi final : public Ui {
public:
    QtUi();
    ~QtUi() override;

    int messageBox(std::string_view text, int style, std::string_view title) override;
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

    void repeatWhileRunning(std::chrono::milliseconds interval,
                            std::function<void()> action) override;

private:
    std::unique_ptr<QApplication> application_;
    EventLoop loop_;
    // The item windows opened, while they are open.
    std::vector<QPointer<QWidget>> itemWindows_;
    std::vector<std::unique_ptr<QTimer>> repeats_;
};

} // namespace lexi::qt
