#pragma once

#include "platform/ui.h"

// The module holding the Qt UI, beside the program, and its one entry: it
// creates the UI (and with it the Qt application).
inline constexpr const char* QtUiModuleName = "lexitray-qt.so";
inline constexpr const char* QtUiModuleEntry = "lexitray_create_qt_ui";

extern "C" lexi::Ui* lexitray_create_qt_ui();
