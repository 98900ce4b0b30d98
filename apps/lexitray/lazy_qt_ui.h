#pragma once

#include "platform/posix/drive_table.h"
#include "platform/ui.h"

#include <functional>
#include <memory>

namespace lexi {

// The Qt UI, loaded from its module the first time something is shown: a
// request that shows nothing never loads Qt nor creates its application. When
// the module cannot be loaded, the loader says why on standard error, the
// reason goes to `missing`, and the call that wanted to show something fails
// (429): nothing is ever answered unseen. The Qt dialogs work with host
// paths: with `drives` the file and folder dialogs are handed the host
// folders of the drive paths asked for, and their answers are turned back
// into drive paths.
class LazyQtUi final : public Ui {
public:
    explicit LazyQtUi(std::function<void(const std::string& why)> missing,
                      const posix::DriveTable* drives = nullptr);

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
    void repeatWhileRunning(std::chrono::milliseconds interval,
                            std::function<void()> action) override;
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

private:
    Ui& loaded();
    // A drive path as the loaded UI's dialogs take it, and back.
    std::string toDialog(std::string_view drivePath) const;
    std::string fromDialog(const std::string& chosen) const;

    std::function<void(const std::string& why)> missing_;
    const posix::DriveTable* drives_;
    std::unique_ptr<Ui> ui_;
};

} // namespace lexi
