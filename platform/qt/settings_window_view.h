#pragma once

#include "platform/qt/event_loop.h"
#include "platform/ui.h"

#include <QPointer>
#include <QWidget>

namespace lexi::qt {

// frmIndstillinger drawn with Qt Widgets. It forwards edits, the tick box,
// OK and the close box to the model, which decides when it closes.
class SettingsWindowWidget final : public QWidget {
public:
    SettingsWindowWidget(const SettingsWindowContent& content, SettingsWindowEvents& events);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    SettingsWindowEvents& events_;
};

class QtSettingsWindowView final : public SettingsWindowView {
public:
    QtSettingsWindowView(const SettingsWindowContent& content, SettingsWindowEvents& events,
                         EventLoop& loop);
    ~QtSettingsWindowView() override;

    void show() override;

private:
    EventLoop::LoadedWindow loaded_;
    QPointer<SettingsWindowWidget> widget_;
};

} // namespace lexi::qt
