#pragma once

#include "platform/ui.h"

#include <functional>
#include <memory>

namespace lexi {

// The Qt UI, loaded from its module the first time something is shown: a
// request that shows nothing never loads Qt nor creates its application. When
// the module cannot be loaded the program says why on standard error and
// goes on with the fallback UI.
class LazyQtUi final : public Ui {
public:
    explicit LazyQtUi(std::function<std::unique_ptr<Ui>()> fallback);

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

private:
    Ui& loaded();

    std::function<std::unique_ptr<Ui>()> fallback_;
    std::unique_ptr<Ui> ui_;
};

} // namespace lexi
