// The Qt UI as a module the program loads on first use, so that a request
// that shows nothing does not pay for loading Qt.

#include "apps/lexitray/qt_ui_module.h"

#include "platform/qt/qt_ui.h"

extern "C" __attribute__((visibility("default"))) lexi::Ui* lexitray_create_qt_ui() {
    return new lexi::qt::QtUi();
}
