#pragma once

#include "platform/clock.h"
#include "platform/ui.h"
#include "program/program_state.h"

#include <functional>
#include <memory>

namespace lexi {

// frmTray, the program's main window: almost always hidden, it owns the
// notification icon, shows a small information window when asked and offers
// the menu "&Om", "&Indstillinger", "&Afslut". While it is loaded the program
// stays alive.
class TrayWindow final : public TrayWindowEvents {
public:
    // What the menu asks of the rest of the program.
    struct Actions {
        std::function<void()> showSettings;
        // Ends the program at once, closing every other window.
        std::function<void()> exitProgram;
    };

    TrayWindow(Ui& ui, const ProgramState& state, Actions actions);

    // Fills the labels from the values in effect now and adds the icon.
    void load();
    // Removes the window and its icon.
    void unload();
    bool isLoaded() const { return view_ != nullptr; }
    // False when the desktop had no notification area for the icon.
    bool hasNotificationIcon() const;

    void show();
    void hide();
    // Shows the window, paints it and blocks for that long; window messages
    // do not run meanwhile.
    void showFor(Clock& clock, int milliseconds);

    void iconMessage(int message) override;
    void menuChosen(TrayMenuItem item) override;
    void windowClicked() override;
    void keyPressed(int keyCode) override;
    void minimised() override;

private:
    TrayWindowContent content() const;
    // Window state normal, in front, shown.
    void restoreAndShow();

    Ui& ui_;
    const ProgramState& state_;
    Actions actions_;
    std::unique_ptr<TrayWindowView> view_;
};

} // namespace lexi
