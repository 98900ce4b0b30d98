#pragma once

#include "platform/ui.h"
#include "platform/win32/dialog_window.h"

namespace lexi::win32 {

// frmFlet drawn as a dialog above all other windows: the controls where the
// model's layout puts them, the password masked, the template browser behind
// a folder symbol. Edits, ticks, clicks, F1 to F6 and the close box go to the
// model, which says what the dialog holds and when it is hidden. Shown, it
// is modal to the window that was active when it was loaded.
class NamingDialog final : public DialogWindow, public NamingDialogView {
public:
    NamingDialog(MessageLoop& loop, const NamingDialogContent& content, NamingDialogEvents& events,
                 HWND owner);
    ~NamingDialog() override;

    void update(const NamingDialogState& state) override;
    void showModal() override;
    void hide() override;
    void focus(NamingControl control) override;

private:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool handleKey(const MSG& message) override;
    void layOut(const NamingDialogContent& content);
    // Sets a text box's text only when it differs, so that the user's caret
    // stays; true when it did.
    bool setChangedText(int control, const std::string& text);
    void forwardEdit(int control);
    void forwardClick(int control);
    // The background of the password and template boxes.
    INT_PTR paintBox(HDC dc) const;

    NamingDialogEvents& events_;
    HWND owner_;
    HICON folderIcon_ = nullptr;
    // While the model's state is drawn, the boxes' change notices are not
    // the user's.
    bool drawing_ = false;
    bool pdfBoxesLikeName_ = false;
    // The selection last drawn in txtFilnavn.
    int selectionStart_ = -1;
    int selectionLength_ = -1;
};

} // namespace lexi::win32
