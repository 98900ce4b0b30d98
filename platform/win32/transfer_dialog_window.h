#pragma once

#include "platform/ui.h"
#include "platform/win32/dialog_window.h"

#include <commctrl.h>
#include <vector>

namespace lexi::win32 {

// frmOutlook drawn as a dialog: the folder's items in a list view, as the
// model orders them, with several rows selectable; the three navigation
// buttons with their symbols and tool tips and the two command buttons, at
// the model's places. Clicks, Enter (OverførKnap), Escape and the close box
// go to the model, and so does the user's resizing; the model says what the
// dialog holds and when it is hidden.
class TransferDialogWindow final : public DialogWindow, public TransferDialogView {
public:
    TransferDialogWindow(MessageLoop& loop, const TransferDialogContent& content,
                         TransferDialogEvents& events, HWND owner);
    ~TransferDialogWindow() override;

    void update(const TransferDialogState& state) override;
    // Modal to the owner, which takes no input meanwhile.
    void showModal() override;
    void hide() override;
    std::vector<int> selectedRows() override;
    // A minimised dialog tells the place it comes back to.
    TwipsRect placement() override;

private:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void setUpView(const TransferDialogContent& content);
    void setUpButtons(const TransferDialogContent& content);
    void fill(const std::vector<TransferRow>& rows);
    // The subject column takes the width the others leave.
    void fitSubjectColumn();
    // olView.
    HWND view() const;

    TransferDialogEvents& events_;
    const HWND owner_;
    const int minimumWidth_; // twips, frame included
    const int minimumHeight_;
    HFONT viewFont_ = nullptr;
    HFONT arrowFont_ = nullptr;
    HFONT folderFont_ = nullptr;
    HIMAGELIST symbols_ = nullptr;
    // What the model last gave.
    TwipsRect window_;
    std::vector<TransferRow> rows_;
    // Set while the model's layout is applied: the sizes that come of it are
    // not the user's.
    bool drawing_ = false;
};

} // namespace lexi::win32
