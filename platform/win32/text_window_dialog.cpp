#include "platform/win32/text_window_dialog.h"

#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_ui.h"

namespace lexi::win32 {

TextWindowDialog::TextWindowDialog(MessageLoop& loop, const TextWindowContent& content,
                                   TextWindowEvents& events, HWND owner)
    : DialogWindow(loop), events_(events) {
    if (create(L"FRMTEXT", owner)) {
        layOut(content);
        open_ = true;
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

void TextWindowDialog::show() {
    ShowWindow(handle(), SW_SHOW);
    SetFocus(control(IDC_TEXT_FLDTEXT));
    SendMessageW(control(IDC_TEXT_FLDTEXT), EM_SETSEL, 0, 0);
}

INT_PTR TextWindowDialog::handleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        // The close box; also the Escape key in the text box, which a
        // multi-line text box hands to its dialog this way.
        open_ = false;
        events_.closeClicked();
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) {
            return FALSE;
        }
        switch (LOWORD(wParam)) {
        case IDC_TEXT_OKKNAP:
            open_ = false;
            events_.okClicked(text(IDC_TEXT_FLDTEXT));
            return TRUE;
        case IDC_TEXT_ANNULLERKNAP:
            open_ = false;
            events_.cancelClicked();
            return TRUE;
        case IDCANCEL: // the Escape key, with a button focused
            open_ = false;
            events_.escapePressed();
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

// Modal to the host's active window, which takes no input meanwhile. A
// window that cannot be made counts as closed.
void Win32Ui::showTextWindow(const TextWindowContent& content, TextWindowEvents& events) {
    const HWND host = owner();
    TextWindowDialog dialog(loop(), content, events, host);
    if (!dialog.isOpen()) {
        events.closeClicked();
        return;
    }
    if (host) {
        EnableWindow(host, FALSE);
    }
    dialog.show();
    loop().runWhile([&dialog] { return dialog.isOpen(); });
    if (host) {
        // Before the dialog goes, so that the host is active again.
        EnableWindow(host, TRUE);
        SetActiveWindow(host);
    }
}

} // namespace lexi::win32
