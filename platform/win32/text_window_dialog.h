#pragma once

#include "platform/text_window.h"
#include "platform/win32/dialog_window.h"

namespace lexi::win32 {

// frmText drawn as a dialog: a window of the size the host asked for, the
// text box and its two buttons where the model puts them. OK, AnnullerKnap,
// the Escape key and the close box go to the model; each closes the window.
class TextWindowDialog final : public DialogWindow {
public:
    TextWindowDialog(MessageLoop& loop, const TextWindowContent& content, TextWindowEvents& events,
                     HWND owner);

    // Shows the window modal to `owner` with the caret at the start of the
    // text, until one of its events has closed it; false when the thread was
    // told to quit first.
    bool showModal(HWND owner);

private:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void layOut(const TextWindowContent& content);

    TextWindowEvents& events_;
};

} // namespace lexi::win32
