#pragma once

#include "platform/platform.h"
#include "platform/registry_settings.h"
#include "platform/win32/outlook_automation.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_filesystem.h"
#include "platform/win32/win32_printers.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_window_search.h"
#include "platform/win32/word_automation.h"

#include <memory>

namespace lexi {

// The services of a Windows workstation, for the program or the library to
// run on. The UI is Windows' own, or the scripted UI when LEXITRAY_UI is
// "script" (answers from LEXITRAY_UI_SCRIPT, records to
// LEXITRAY_UI_TRANSCRIPT).
class WindowsPlatform {
public:
    WindowsPlatform();
    Platform& platform() { return platform_; }
    // For Word's printing, which the core does not ask for itself.
    Printers& printers() { return printers_; }

private:
    win32::Win32Registry registry_;
    RegistrySettings settings_;
    win32::Win32FileSystem files_;
    win32::Win32Processes processes_;
    win32::Win32Shell shell_;
    win32::Win32Printers printers_;
    std::unique_ptr<Ui> ui_;
    win32::Win32Clock clock_;
    win32::AutomationOutlookConnector outlook_;
    win32::AutomationWordConnector word_;
    win32::Win32WindowSearch windows_;
    Platform platform_;
};

} // namespace lexi
