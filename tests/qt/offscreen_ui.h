#pragma once

#include "platform/qt/qt_ui.h"

#include <QApplication>
#include <QWidget>

namespace lexi::testing {

// The Qt UI of the tests, on the offscreen platform: one for the whole run.
inline qt::QtUi& offscreenUi() {
    static qt::QtUi* const ui = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new qt::QtUi();
    }();
    return *ui;
}

// The loaded top-level window of that name, or null.
inline QWidget* topLevelWindow(const char* name) {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name)) {
            return widget;
        }
    }
    return nullptr;
}

} // namespace lexi::testing
