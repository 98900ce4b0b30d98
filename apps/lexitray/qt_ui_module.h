#pragma once

#include "platform/ui.h"

// The module holding the Qt UI, and its entry: it creates the UI (and with it
// the Qt application).
struct QtUiModule {
    static constexpr const char* FileName = "lexitray-qt.so";
    static constexpr const char* EntryName = "lexitray_qt_ui_module";
    // Raised with every change of this table or of the classes the program
    // and the module hand each other (lexi::Ui and its windows).
    static constexpr int InterfaceVersion = 5;

    int interfaceVersion;
    lexi::Ui* (*createUi)();
};

extern "C" const QtUiModule lexitray_qt_ui_module;
