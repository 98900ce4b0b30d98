#pragma once

#include "platform/clock.h"
#include "platform/filesystem.h"
#include "platform/outlook.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/settings.h"
#include "platform/shell.h"
#include "platform/ui.h"
#include "platform/window_search.h"
#include "platform/word.h"

namespace lexi {

// The services a program takes from its surroundings, built by the program's
// composition root and handed to the core.
struct Platform {
    Registry& registry;
    SettingsStore& settings;
    FileSystem& files;
    Processes& processes;
    Shell& shell;
    Ui& ui;
    Clock& clock;
    OutlookConnector& outlook;
    WordConnector& word;
    WindowSearch& windows;
};

} // namespace lexi
