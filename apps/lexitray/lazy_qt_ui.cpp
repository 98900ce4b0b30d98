#include "apps/lexitray/lazy_qt_ui.h"

#include "apps/lexitray/program_module.h"
#include "apps/lexitray/qt_ui_module.h"

namespace lexi {
namespace {

std::unique_ptr<Ui> loadQtUi() {
    const QtUiModule* module = loadModule<QtUiModule>();
    return module ? std::unique_ptr<Ui>(module->createUi()) : nullptr;
}

} // namespace

LazyQtUi::LazyQtUi(std::function<std::unique_ptr<Ui>()> fallback)
    : fallback_(std::move(fallback)) {}

Ui& LazyQtUi::loaded() {
    if (!ui_) {
        ui_ = loadQtUi();
        if (!ui_) {
            ui_ = fallback_();
        }
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

void LazyQtUi::showComposeWindow(ComposeWindow& window) {
    loaded().showComposeWindow(window);
}

int LazyQtUi::pickFolder(const std::vector<std::string>& folderPaths) {
    return loaded().pickFolder(folderPaths);
}

std::string LazyQtUi::saveFileName(std::string_view title, std::string_view suggested) {
    return loaded().saveFileName(title, suggested);
}

} // namespace lexi
