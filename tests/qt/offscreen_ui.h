#pragma once

#include "platform/qt/qt_ui.h"

#include <QApplication>
#include <QWidget>
#include <algorithm>

namespace lexi::testing {

// The Qt UI of the tests, on the offscreen platform (on the display when
// screenshots are asked for with LEXITRAY_SHOTS): one for the whole run.
inline qt::QtUi& offscreenUi() {
    static qt::QtUi* const ui = [] {
        if (qEnvironmentVariableIsEmpty("LEXITRAY_SHOTS")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        return new qt::QtUi();
    }();
    return *ui;
}

// The loaded top-level window of that name, or null.
inline QWidget* topLevelWindow(const char* name) {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QWidgetList all = QApplication::topLevelWidgets();
    const auto at = std::ranges::find(all, QLatin1String(name), &QWidget::objectName);
    return at == all.end() ? nullptr : *at;
}

} // namespace lexi::testing
