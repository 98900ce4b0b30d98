#pragma once

#include "platform/ui.h"

#include <functional>
#include <string>
#include <string_view>

// What the program hands the Qt UI: how a drive path ("C:\Sager\brev.pdf")
// becomes a host path for the desktop's file dialogs, and back.
struct QtUiServices {
    std::function<std::string(std::string_view)> toHost;
    std::function<std::string(std::string_view)> toDrive;
};

// The module holding the Qt UI, and its entry: it creates the UI (and with it
// the Qt application).
struct QtUiModule {
    static constexpr const char* FileName = "lexitray-qt.so";
    static constexpr const char* EntryName = "lexitray_qt_ui_module";
    // Raised with every change of this table or of the classes the program
    // and the module hand each other (lexi::Ui and its windows).
    static constexpr int InterfaceVersion = 3;

    int interfaceVersion;
    lexi::Ui* (*createUi)(const QtUiServices* services);
};

extern "C" const QtUiModule lexitray_qt_ui_module;
