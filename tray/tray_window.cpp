#include "tray/tray_window.h"

#include "tray/startup.h"

namespace lexi {

TrayWindow::TrayWindow(Ui& ui, const ProgramState& state, Actions actions)
    : ui_(ui), state_(state), actions_(std::move(actions)) {}

TrayWindowContent TrayWindow::content() const {
    return {"Lexitray 4",
            Startup::versionText(),
            "Drev: " + state_.exchangeFolder,
            "Lexitray henter dokumenter og mails til og fra NAV. Højreklik på ikonet i "
            "systemtray for at åbne menuen.",
            "Lexitray",
            "&Systray",
            {{TrayMenuItem::About, "&Om"},
             {TrayMenuItem::Settings, "&Indstillinger"},
             {TrayMenuItem::Exit, "&Afslut"}}};
}

void TrayWindow::load() {
    if (!view_) {
        view_ = ui_.openTrayWindow(content(), *this);
    }
}

void TrayWindow::unload() {
    view_.reset();
}

bool TrayWindow::hasNotificationIcon() const {
    return view_ && view_->hasNotificationIcon();
}

void TrayWindow::show() {
    load();
    view_->show();
}

void TrayWindow::hide() {
    if (view_) {
        view_->hide();
    }
}

void TrayWindow::showFor(Clock& clock, int milliseconds) {
    show();
    view_->repaint();
    clock.sleepMilliseconds(milliseconds);
}

void TrayWindow::restoreAndShow() {
    view_->restore();
    view_->bringToFront();
    view_->show();
}

void TrayWindow::iconMessage(int message) {
    // While the attachment naming dialog is up, the icon only brings it back.
    if (state_.mergeDialogOpen) {
        if (state_.focusMergeDialog) {
            state_.focusMergeDialog();
        }
        return;
    }
    switch (message) {
    case iconmsg::LeftButtonUp:
    case iconmsg::LeftButtonDoubleClick:
        restoreAndShow();
        break;
    case iconmsg::RightButtonUp:
        view_->bringToFront();
        view_->popUpMenu();
        break;
    default:
        break;
    }
}

void TrayWindow::menuChosen(TrayMenuItem item) {
    switch (item) {
    case TrayMenuItem::About:
        restoreAndShow();
        break;
    case TrayMenuItem::Settings:
        view_->restore();
        view_->bringToFront();
        actions_.showSettings();
        break;
    case TrayMenuItem::Exit:
        unload();
        actions_.exitProgram();
        break;
    }
}

void TrayWindow::windowClicked() {
    hide();
}

void TrayWindow::keyPressed(int keyCode) {
    if (keyCode == keycode::Enter || keyCode == keycode::Escape) {
        hide();
    }
}

void TrayWindow::minimised() {
    hide();
}

} // namespace lexi
