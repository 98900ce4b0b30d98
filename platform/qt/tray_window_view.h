#pragma once

#include "platform/qt/event_loop.h"
#include "platform/ui.h"

#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>

class QMenu;

namespace lexi::qt {

// frmTray drawn with Qt Widgets: a small fixed window of labels and the logo.
// It forwards clicks, keys and minimising to the model.
class TrayWindowWidget final : public QWidget {
public:
    TrayWindowWidget(const TrayWindowContent& content, TrayWindowEvents& events);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TrayWindowEvents& events_;
};

// The icon message a click on the notification icon stands for, 0 for none.
int iconMessageOf(QSystemTrayIcon::ActivationReason reason);

// The loaded tray window with its notification icon and pop-up menu.
class QtTrayWindowView final : public TrayWindowView {
public:
    QtTrayWindowView(const TrayWindowContent& content, TrayWindowEvents& events, EventLoop& loop);
    ~QtTrayWindowView() override;

    bool hasNotificationIcon() const override;
    void show() override;
    void hide() override;
    void restore() override;
    void bringToFront() override;
    void repaint() override;
    void popUpMenu() override;

private:
    EventLoop::LoadedWindow loaded_;
    QPointer<TrayWindowWidget> widget_;
    QSystemTrayIcon* icon_;
    QMenu* menu_;
};

} // namespace lexi::qt
