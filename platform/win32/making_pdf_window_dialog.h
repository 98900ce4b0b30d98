#pragma once

#include "platform/ui.h"
#include "platform/win32/dialog_window.h"

namespace lexi::win32 {

// frmMakingPDF drawn as a dialog: the title and the one button, shown from
// its loading on. The button and the close box go to the model, while the
// waiting code lets pending messages run; the window stays until the model
// unloads it.
class MakingPdfWindowDialog final : public DialogWindow, public MakingPdfWindowView {
public:
    MakingPdfWindowDialog(MessageLoop& loop, const MakingPdfWindowContent& content,
                          MakingPdfWindowEvents& events);

    void bringToFront() override;

private:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    MakingPdfWindowEvents& events_;
};

} // namespace lexi::win32
