#pragma once

#include "apps/lexitray/module_interfaces.h"
#include "platform/ui.h"

// The module holding the Qt UI, and its entry: it creates the UI (and with it
// the Qt application).
struct QtUiModule {
    static constexpr const char* FileName = "lexitray-qt.so";
    static constexpr const char* EntryName = "lexitray_qt_ui_module";
    // Derived from this header and every header it includes: any change of
    // this table or of the classes the program and the module hand each
    // other gives another version.
    static constexpr int InterfaceVersion = LEXITRAY_QT_UI_INTERFACE;

    int interfaceVersion;
    lexi::Ui* (*createUi)();
};

extern "C" const QtUiModule lexitray_qt_ui_module;
