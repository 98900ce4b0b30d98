#include "platform/win32/making_pdf_window_dialog.h"

#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_ui.h"

namespace lexi::win32 {
namespace {

// The window's inner area and its button, in twips.
constexpr int Width = 3600;
constexpr int Height = 1200;
constexpr TwipsRect AnnullerKnap{1200, 405, 1200, 390};

} // namespace

MakingPdfWindowDialog::MakingPdfWindowDialog(MessageLoop& loop,
                                             const MakingPdfWindowContent& content,
                                             MakingPdfWindowEvents& events)
    : DialogWindow(loop), events_(events) {
    if (!create(L"FRMMAKINGPDF")) {
        return;
    }
    setInnerSize(Width, Height);
    place(IDC_MAKINGPDF_ANNULLERKNAP, AnnullerKnap);
    setText(0, content.title);
    setText(IDC_MAKINGPDF_ANNULLERKNAP, content.cancelCaption);
    showProgramIcon();
    ShowWindow(handle(), SW_SHOW);
    bringToFront();
}

void MakingPdfWindowDialog::bringToFront() {
    SetForegroundWindow(handle());
    BringWindowToTop(handle());
}

INT_PTR MakingPdfWindowDialog::handleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        events_.closeClicked();
        return TRUE;
    case WM_COMMAND:
        // Enter presses the button, the default one; Escape does nothing.
        if (LOWORD(wParam) == IDC_MAKINGPDF_ANNULLERKNAP && HIWORD(wParam) == BN_CLICKED) {
            events_.cancelClicked();
        }
        return TRUE;
    default:
        return FALSE;
    }
}

std::unique_ptr<MakingPdfWindowView>
Win32Ui::openMakingPdfWindow(const MakingPdfWindowContent& content, MakingPdfWindowEvents& events) {
    return std::make_unique<MakingPdfWindowDialog>(loop(), content, events);
}

} // namespace lexi::win32
