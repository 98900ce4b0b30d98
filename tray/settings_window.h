#pragma once

#include "platform/settings.h"
#include "platform/ui.h"
#include "program/program_state.h"
#include "program/run_log.h"

#include <memory>

namespace lexi {

// frmIndstillinger, the settings window: the exchange folder ("Lokaldrev")
// and the mail-history switch. OK stores both and gives the running process
// the new folder at once; closing it any other way stores nothing.
class SettingsWindow final : public SettingsWindowEvents {
public:
    SettingsWindow(Ui& ui, SettingsStore& settings, ProgramState& state, RunLog& log);

    // Loads the window when it is not loaded yet and shows it, without
    // waiting for it to close.
    void show();
    // Closes the window without storing anything.
    void unload();
    bool isLoaded() const { return view_ != nullptr; }

    void folderEdited(const std::string& folder) override;
    void mailHistoryTicked(bool ticked) override;
    void okClicked() override;
    void closeClicked() override;

private:
    void load();

    Ui& ui_;
    SettingsStore& settings_;
    ProgramState& state_;
    RunLog& log_;
    std::string folder_;
    bool mailHistory_ = false;
    std::unique_ptr<SettingsWindowView> view_;
};

} // namespace lexi
