#pragma once

#include "platform/posix/drive_table.h"
#include "platform/ui.h"

#include <functional>
#include <memory>

namespace lexi {

// The Qt UI, loaded from its module the first time something is shown: a
// request that shows nothing never loads Qt nor creates its application. When
// the module cannot be loaded the program says why on standard error and
// goes on with the fallback UI. Its file dialogs map drive paths through
// `drives` (unchanged without a table).
class LazyQtUi final : public Ui {
public:
    LazyQtUi(std::function<std::unique_ptr<Ui>()> fallback, const posix::DriveTable* drives);

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
    std::string saveFileName(std::string_view title, std::string_view suggested) override;
    std::string openFileName(std::string_view title, std::string_view filter,
                             std::string_view folder) override;
    std::unique_ptr<NamingDialogView> openNamingDialog(const NamingDialogContent& content,
                                                       NamingDialogEvents& events) override;

private:
    Ui& loaded();

    std::function<std::unique_ptr<Ui>()> fallback_;
    const posix::DriveTable* drives_;
    std::unique_ptr<Ui> ui_;
};

} // namespace lexi
