#pragma once

#include "platform/ui.h"
#include "platform/win32/dialog_window.h"
#include "platform/win32/notification_icon.h"

#include <memory>

namespace lexi::win32 {

// frmTray drawn as a dialog: a small window without a title, its labels and
// the logo in one frame, and the notification icon with its pop-up menu. A
// click anywhere on its face, Enter, Escape, the icon's mouse messages and
// the menu's choices go to the model.
class TrayWindowDialog final : public DialogWindow, public TrayWindowView {
public:
    TrayWindowDialog(MessageLoop& loop, const TrayWindowContent& content, TrayWindowEvents& events);
    ~TrayWindowDialog() override;

    bool hasNotificationIcon() const override;
    void show() override;
    void hide() override;
    void restore() override;
    void bringToFront() override;
    void repaint() override;
    void popUpMenu() override;

private:
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void layOut(const TrayWindowContent& content);

    TrayWindowEvents& events_;
    std::vector<TrayMenuItem> menuItems_;
    HMENU menu_ = nullptr;
    HICON logo_ = nullptr;
    HFONT headingFont_ = nullptr;
    std::unique_ptr<NotificationIcon> icon_;
};

} // namespace lexi::win32
