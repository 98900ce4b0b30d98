#include "platform/win32/notification_icon.h"

#include "platform/win32/wide_text.h"

#include <algorithm>

namespace lexi::win32 {

NotificationIcon::NotificationIcon(HWND owner, HICON icon, const std::string& tip) {
    // The record's first version: message, icon and tip, and a tip of at
    // most 63 characters.
    record_.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record_.hWnd = owner;
    record_.uID = Id;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = CallbackMessage;
    record_.hIcon = icon;
    const std::wstring wideTip = toWide(tip);
    std::copy_n(wideTip.begin(), std::min<std::size_t>(wideTip.size(), 63), record_.szTip);
    added_ = Shell_NotifyIconW(NIM_ADD, &record_);
}

NotificationIcon::~NotificationIcon() {
    if (added_) {
        Shell_NotifyIconW(NIM_DELETE, &record_);
    }
}

int NotificationIcon::mouseMessageOf(UINT message, WPARAM wParam, LPARAM lParam) {
    // An ordinary mouse move carries the key state and the position; the
    // icon's carries its identifier and the mouse message alone.
    if (message != CallbackMessage || wParam != Id || HIWORD(lParam) != 0) {
        return 0;
    }
    const int mouseMessage = LOWORD(lParam);
    return mouseMessage >= WM_MOUSEFIRST && mouseMessage <= WM_MOUSELAST ? mouseMessage : 0;
}

} // namespace lexi::win32
