#pragma once

#include "platform/ui.h"
#include "platform/win32/dialog_window.h"

namespace lexi::win32 {

// frmIndstillinger drawn as a dialog: the folder field, the mail-history box
// and OK in one frame. Edits, the box, OK and the close box go to the model.
class SettingsWindowDialog final : public DialogWindow, public SettingsWindowView {
public:
    SettingsWindowDialog(MessageLoop& loop, const SettingsWindowContent& content,
                         SettingsWindowEvents& events);

    void show() override;

private:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void layOut(const SettingsWindowContent& content);

    SettingsWindowEvents& events_;
    // Edits are the user's from the end of loading on.
    bool loaded_ = false;
};

} // namespace lexi::win32
