#include "platform/win32/settings_window_dialog.h"

#include "platform/win32/resource_ids.h"

namespace lexi::win32 {
namespace {

// The window's inner area and its controls, in twips.
constexpr int Width = 5865;
constexpr int Height = 1725;
constexpr TwipsRect Frame1{120, 60, 5625, 1545};
constexpr TwipsRect Label1{300, 420, 1000, 255};
constexpr TwipsRect Lokaldrev{1380, 360, 4200, 315};
constexpr TwipsRect MailHistorik{1380, 960, 2600, 315};
constexpr TwipsRect Okknap{4380, 900, 1200, 405};

} // namespace

SettingsWindowDialog::SettingsWindowDialog(MessageLoop& loop, const SettingsWindowContent& content,
                                           SettingsWindowEvents& events)
    : DialogWindow(loop), events_(events) {
    if (create(L"FRMINDSTILLINGER")) {
        layOut(content);
        loaded_ = true;
    }
}

void SettingsWindowDialog::layOut(const SettingsWindowContent& content) {
    setInnerSize(Width, Height);
    place(IDC_SETTINGS_FRAME1, Frame1);
    place(IDC_SETTINGS_LABEL1, Label1);
    place(IDC_SETTINGS_LOKALDREV, Lokaldrev);
    place(IDC_SETTINGS_MAILHISTORIK, MailHistorik);
    place(IDC_SETTINGS_OKKNAP, Okknap);
    setText(0, content.title);
    setText(IDC_SETTINGS_FRAME1, content.frameCaption);
    setText(IDC_SETTINGS_LABEL1, content.folderCaption);
    setText(IDC_SETTINGS_LOKALDREV, content.folder);
    setText(IDC_SETTINGS_MAILHISTORIK, content.mailHistoryCaption);
    setText(IDC_SETTINGS_OKKNAP, content.okCaption);
    CheckDlgButton(handle(), IDC_SETTINGS_MAILHISTORIK,
                   content.mailHistory ? BST_CHECKED : BST_UNCHECKED);
    showProgramIcon();
}

void SettingsWindowDialog::show() {
    ShowWindow(handle(), SW_SHOW);
    SetForegroundWindow(handle());
}

INT_PTR SettingsWindowDialog::handleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        events_.closeClicked();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SETTINGS_LOKALDREV:
            if (loaded_ && HIWORD(wParam) == EN_CHANGE) {
                events_.folderEdited(text(IDC_SETTINGS_LOKALDREV));
            }
            return TRUE;
        case IDC_SETTINGS_MAILHISTORIK:
            if (HIWORD(wParam) == BN_CLICKED) {
                events_.mailHistoryTicked(IsDlgButtonChecked(handle(), IDC_SETTINGS_MAILHISTORIK) ==
                                          BST_CHECKED);
            }
            return TRUE;
        case IDC_SETTINGS_OKKNAP:
            if (HIWORD(wParam) == BN_CLICKED) {
                events_.okClicked();
            }
            return TRUE;
        default:
            // Enter and Escape do nothing: the window has no default or
            // cancel button.
            return TRUE;
        }
    default:
        return FALSE;
    }
}

} // namespace lexi::win32
