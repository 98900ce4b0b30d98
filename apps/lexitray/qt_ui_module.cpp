// The Qt UI as a module the program loads on first use, so that a request
// that shows nothing does not pay for loading Qt.

#include "apps/lexitray/qt_ui_module.h"

#include "platform/qt/qt_ui.h"

namespace {

lexi::Ui* createQtUi(const QtUiServices* services) {
    return new lexi::qt::QtUi(services->toHost, services->toDrive);
}

} // namespace

extern "C" __attribute__((visibility("default")))
const QtUiModule lexitray_qt_ui_module = {QtUiModule::InterfaceVersion, &createQtUi};
