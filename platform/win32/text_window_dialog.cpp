#include "platform/win32/text_window_dialog.h"

#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_ui.h"

namespace lexi::win32 {

TextWindowDialog::TextWindowDialog(MessageLoop& loop, const TextWindowContent& content,
                                   TextWindowEvents& events, HWND owner)
    : DialogWindow(loop), events_(events) {
    if (create(L"FRMTEXT", owner)) {
        layOut(content);
    }
}

void TextWindowDialog::layOut(const TextWindowContent& content) {
    // The host gives the window's whole size, frame and title bar included.
    setOuterSize(content.width, content.height);
    place(IDC_TEXT_FLDTEXT, content.textBox);
    place(IDC_TEXT_OKKNAP, content.okButton);
    place(IDC_TEXT_ANNULLERKNAP, content.cancelButton);
    setText(0, content.title);
    setText(IDC_TEXT_FLDTEXT, content.text);
    setText(IDC_TEXT_OKKNAP, content.okCaption);
    setText(IDC_TEXT_ANNULLERKNAP, content.cancelCaption);
    SendMessageW(control(IDC_TEXT_FLDTEXT), EM_SETREADONLY, content.locked, 0);
    ShowWindow(control(IDC_TEXT_OKKNAP), content.okVisible ? SW_SHOW : SW_HIDE);
}

bool TextWindowDialog::showModal(HWND owner) {
    SendMessageW(control(IDC_TEXT_FLDTEXT), EM_SETSEL, 0, 0);
    return runModal(owner, control(IDC_TEXT_FLDTEXT));
}

INT_PTR TextWindowDialog::handleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        // The close box; also the Escape key in the text box, which a
        // multi-line text box hands to its dialog this way.
        endModal();
        events_.closeClicked();
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) {
            return FALSE;
        }
        switch (LOWORD(wParam)) {
        case IDC_TEXT_OKKNAP:
            endModal();
            events_.okClicked(text(IDC_TEXT_FLDTEXT));
            return TRUE;
        case IDC_TEXT_ANNULLERKNAP:
            endModal();
            events_.cancelClicked();
            return TRUE;
        case IDCANCEL: // the Escape key, with a button focused
            endModal();
            events_.escapePressed();
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

// Modal to the host's active window. A window that cannot be made, or that
// the thread's end takes away, counts as closed.
void Win32Ui::showTextWindow(const TextWindowContent& content, TextWindowEvents& events) {
    const HWND host = owner();
    TextWindowDialog dialog(loop(), content, events, host);
    if (!dialog.handle() || !dialog.showModal(host)) {
        events.closeClicked();
    }
}

} // namespace lexi::win32
