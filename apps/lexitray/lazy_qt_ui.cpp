#include "apps/lexitray/lazy_qt_ui.h"

#include "apps/lexitray/program_module.h"
#include "apps/lexitray/qt_ui_module.h"
#include "platform/failure.h"

namespace lexi {

LazyQtUi::LazyQtUi(std::function<void(const std::string& why)> missing,
                   const posix::DriveTable* drives)
    : missing_(std::move(missing)), drives_(drives) {}

Ui& LazyQtUi::loaded() {
    if (!ui_) {
        std::string why;
        const QtUiModule* module = loadModule<QtUiModule>(&why);
        if (!module) {
            if (missing_) {
                missing_(why);
            }
            throw Failure(failure::CannotCreateObject, why, QtUiModule::FileName);
        }
        ui_.reset(module->createUi());
    }
    return *ui_;
}

int LazyQtUi::messageBox(std::string_view text, int style, std::string_view title) {
    return loaded().messageBox(text, style, title);
}

// Nothing shown yet: nothing pending either.
void LazyQtUi::doEvents() {
    if (ui_) {
        ui_->doEvents();
    }
}

std::unique_ptr<TrayWindowView> LazyQtUi::openTrayWindow(const TrayWindowContent& content,
                                                         TrayWindowEvents& events) {
    return loaded().openTrayWindow(content, events);
}

std::unique_ptr<SettingsWindowView>
LazyQtUi::openSettingsWindow(const SettingsWindowContent& content, SettingsWindowEvents& events) {
    return loaded().openSettingsWindow(content, events);
}

std::unique_ptr<MakingPdfWindowView>
LazyQtUi::openMakingPdfWindow(const MakingPdfWindowContent& content,
                              MakingPdfWindowEvents& events) {
    return loaded().openMakingPdfWindow(content, events);
}

void LazyQtUi::runEventLoop() {
    if (ui_) {
        ui_->runEventLoop();
    }
}

void LazyQtUi::quitEventLoop() {
    if (ui_) {
        ui_->quitEventLoop();
    }
}

void LazyQtUi::repeatWhileRunning(std::chrono::milliseconds interval,
                                  std::function<void()> action) {
    loaded().repeatWhileRunning(interval, std::move(action));
}

void LazyQtUi::showComposeWindow(ComposeWindow& window) {
    loaded().showComposeWindow(window);
}

int LazyQtUi::pickFolder(const std::vector<std::string>& folderPaths) {
    return loaded().pickFolder(folderPaths);
}

void LazyQtUi::showItemWindow(const ItemWindowContent& content) {
    loaded().showItemWindow(content);
}

std::string LazyQtUi::saveFileName(std::string_view title, std::string_view suggested) {
    return loaded().saveFileName(title, suggested);
}

std::string LazyQtUi::toDialog(std::string_view drivePath) const {
    if (!drives_) {
        return std::string(drivePath);
    }
    return drives_->toHost(drivePath).value_or(std::string());
}

std::string LazyQtUi::fromDialog(const std::string& chosen) const {
    return drives_ && !chosen.empty() ? drives_->toWindows(chosen) : chosen;
}

std::string LazyQtUi::openFileName(std::string_view title, std::string_view filter,
                                   std::string_view folder, std::string_view fileName) {
    Ui& ui = loaded();
    return fromDialog(ui.openFileName(title, filter, toDialog(folder), fileName));
}

std::string LazyQtUi::chooseFolder(std::string_view title, std::string_view folder) {
    Ui& ui = loaded();
    return fromDialog(ui.chooseFolder(title, toDialog(folder)));
}

void LazyQtUi::showTextWindow(const TextWindowContent& content, TextWindowEvents& events) {
    loaded().showTextWindow(content, events);
}

std::unique_ptr<NamingDialogView> LazyQtUi::openNamingDialog(const NamingDialogContent& content,
                                                             NamingDialogEvents& events) {
    return loaded().openNamingDialog(content, events);
}

std::unique_ptr<TransferDialogView>
LazyQtUi::openTransferDialog(const TransferDialogContent& content, TransferDialogEvents& events) {
    return loaded().openTransferDialog(content, events);
}

} // namespace lexi
