#include "tray/settings_window.h"

#include "platform/failure.h"

namespace lexi {
namespace {

const char* const App = "Lexitray";
const char* const Section = "Drevindstillinger";

} // namespace

SettingsWindow::SettingsWindow(Ui& ui, SettingsStore& settings, ProgramState& state, RunLog& log)
    : ui_(ui), settings_(settings), state_(state), log_(log) {}

void SettingsWindow::load() {
    folder_ = state_.exchangeFolder;
    // Only "1" means on, whatever else may have been written by hand.
    mailHistory_ = settings_.getSetting(App, Section, "BenytMailHistorik", "1") == "1";
    view_ = ui_.openSettingsWindow(
        {App, "Indstillinger", "Lokaldrev", folder_, "Benyt mailhistorik", mailHistory_, "OK"},
        *this);
}

void SettingsWindow::show() {
    if (!view_) {
        load();
    }
    view_->show();
}

void SettingsWindow::unload() {
    view_.reset();
}

void SettingsWindow::folderEdited(const std::string& folder) {
    folder_ = folder;
}

void SettingsWindow::mailHistoryTicked(bool ticked) {
    mailHistory_ = ticked;
}

void SettingsWindow::okClicked() {
    // The folder is stored as typed: with or without a final "\", whether or
    // not it exists.
    try {
        settings_.saveSetting(App, Section, "Lokalsti", folder_);
        settings_.saveSetting(App, Section, "BenytMailHistorik", mailHistory_ ? "1" : "0");
    } catch (const Failure& failure) {
        // The window stays open, so the user knows the choice was not kept.
        const std::string text = "Fejl i Okknap_Click: " + failure.description();
        log_.WriteLog(text);
        ui_.messageBox(text, msgbox::Critical, App);
        return;
    }
    // The log folder and the tray window's label keep the folder of start-up.
    state_.exchangeFolder = folder_;
    unload();
}

void SettingsWindow::closeClicked() {
    unload();
}

} // namespace lexi
