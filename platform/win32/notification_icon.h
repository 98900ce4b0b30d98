#pragma once

#include <string>
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

namespace lexi::win32 {

// The program's icon in the notification area, added for a window and
// removed when the object goes. The shell reports mouse activity on the icon
// to the window as a WM_MOUSEMOVE message whose wParam is the icon's
// identifier and whose lParam is the mouse message (WM_LBUTTONUP...).
class NotificationIcon {
public:
    static constexpr UINT Id = 1;
    static constexpr UINT CallbackMessage = WM_MOUSEMOVE;

    NotificationIcon(HWND owner, HICON icon, const std::string& tip);
    ~NotificationIcon();
    NotificationIcon(const NotificationIcon&) = delete;
    NotificationIcon& operator=(const NotificationIcon&) = delete;

    // False when the desktop has no notification area that took the icon.
    bool added() const { return added_; }

    // The mouse message a window message of the icon reports; 0 when the
    // message is not the icon's (an ordinary mouse move over the window).
    static int mouseMessageOf(UINT message, WPARAM wParam, LPARAM lParam);

private:
    NOTIFYICONDATAW record_{};
    bool added_ = false;
};

} // namespace lexi::win32
