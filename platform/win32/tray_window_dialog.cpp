#include "platform/win32/tray_window_dialog.h"

#include "platform/win32/resource_ids.h"
#include "platform/win32/wide_text.h"

namespace lexi::win32 {
namespace {

// The window's inner area and its controls, in twips.
constexpr int Width = 5160;
constexpr int Height = 2310;
constexpr TwipsRect Frame1{60, 0, 5040, 2250};
constexpr TwipsRect Image3{180, 240, 960, 960};
constexpr TwipsRect Label1{1320, 180, 3660, 420};
constexpr TwipsRect Label3{1320, 600, 3660, 255};
constexpr TwipsRect Lokaldrev{1320, 870, 3660, 255};
constexpr TwipsRect Line1{1320, 1170, 3660, 30};
constexpr TwipsRect Label4{1320, 1260, 3660, 900};

// The menu's commands: the position of the item, after this.
constexpr UINT FirstMenuCommand = 1000;

HICON loadIcon(int id, int size) {
    return static_cast<HICON>(
        LoadImageW(resourceModule(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

// The dialog's font, bold and larger.
HFONT headingFontOf(HWND dialog) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight = font.lfHeight * 14 / 10;
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&font);
}

} // namespace

TrayWindowDialog::TrayWindowDialog(MessageLoop& loop, const TrayWindowContent& content,
                                   TrayWindowEvents& events)
    : DialogWindow(loop), events_(events) {
    if (!create(L"FRMTRAY")) {
        return;
    }
    layOut(content);
    menu_ = CreatePopupMenu();
    for (const TrayMenuEntry& entry : content.menu) {
        AppendMenuW(menu_, MF_STRING, FirstMenuCommand + static_cast<UINT>(menuItems_.size()),
                    toWide(entry.caption).c_str());
        menuItems_.push_back(entry.item);
    }
    icon_ = std::make_unique<NotificationIcon>(handle(), programIcon(), content.iconTip);
}

TrayWindowDialog::~TrayWindowDialog() {
    icon_.reset();
    if (menu_) {
        DestroyMenu(menu_);
    }
    // The window first, then what it shows.
    destroy();
    if (logo_) {
        DestroyIcon(logo_);
    }
    if (headingFont_) {
        DeleteObject(headingFont_);
    }
}

void TrayWindowDialog::layOut(const TrayWindowContent& content) {
    setInnerSize(Width, Height);
    place(IDC_TRAY_FRAME1, Frame1);
    place(IDC_TRAY_IMAGE3, Image3);
    place(IDC_TRAY_LABEL1, Label1);
    place(IDC_TRAY_LABEL3, Label3);
    place(IDC_TRAY_LOKALDREV, Lokaldrev);
    place(IDC_TRAY_LINE1, Line1);
    place(IDC_TRAY_LABEL4, Label4);

    headingFont_ = headingFontOf(handle());
    SendMessageW(control(IDC_TRAY_LABEL1), WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_),
                 FALSE);
    setText(IDC_TRAY_LABEL1, content.heading);
    setText(IDC_TRAY_LABEL3, content.version);
    setText(IDC_TRAY_LOKALDREV, content.folder);
    setText(IDC_TRAY_LABEL4, content.notice);
    // The folder, which may be cut off, as its tool tip.
    setToolTip(IDC_TRAY_LOKALDREV, content.folder);

    logo_ = loadIcon(IDI_LOGO, pixels(Image3.width));
    SendMessageW(control(IDC_TRAY_IMAGE3), STM_SETICON, reinterpret_cast<WPARAM>(logo_), 0);
    showProgramIcon();
}

bool TrayWindowDialog::hasNotificationIcon() const {
    return icon_ && icon_->added();
}

void TrayWindowDialog::show() {
    ShowWindow(handle(), SW_SHOW);
}

void TrayWindowDialog::hide() {
    ShowWindow(handle(), SW_HIDE);
}

void TrayWindowDialog::restore() {
    if (IsIconic(handle())) {
        ShowWindow(handle(), SW_RESTORE);
    }
}

void TrayWindowDialog::bringToFront() {
    SetForegroundWindow(handle());
    BringWindowToTop(handle());
}

void TrayWindowDialog::repaint() {
    RedrawWindow(handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TrayWindowDialog::popUpMenu() {
    POINT at;
    GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only while its window
    // is in the foreground.
    SetForegroundWindow(handle());
    const UINT command =
        TrackPopupMenuEx(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, handle(), nullptr);
    PostMessageW(handle(), WM_NULL, 0, 0);
    // The choice reaches the model from the message loop: it may unload this
    // window, which must not happen under the caller's feet.
    if (command != 0) {
        PostMessageW(handle(), WM_COMMAND, command, 0);
    }
}

INT_PTR TrayWindowDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const int mouseMessage = NotificationIcon::mouseMessageOf(message, wParam, lParam)) {
        events_.iconMessage(mouseMessage);
        return TRUE;
    }
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;
    case WM_LBUTTONUP:
        events_.windowClicked();
        return TRUE;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            events_.minimised();
            return TRUE;
        }
        return FALSE;
    case WM_CHAR:
        events_.keyPressed(static_cast<int>(wParam));
        return TRUE;
    case WM_COMMAND: {
        const UINT command = LOWORD(wParam);
        if (command == IDOK) {
            events_.keyPressed(keycode::Enter);
        } else if (command == IDCANCEL) {
            events_.keyPressed(keycode::Escape);
        } else if (command == IDC_TRAY_LOKALDREV && HIWORD(wParam) == STN_CLICKED) {
            events_.windowClicked();
        } else if (command >= FirstMenuCommand && command - FirstMenuCommand < menuItems_.size()) {
            events_.menuChosen(menuItems_[command - FirstMenuCommand]);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

} // namespace lexi::win32
