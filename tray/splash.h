#pragma once

#include "platform/clock.h"
#include "platform/settings.h"
#include "tray/tray_window.h"

namespace lexi {

// The start picture of the mail modes: the tray window, with its icon, for
// that many seconds; then today's date is stored as "ddmmyy" in the setting
// "Splash"/"SidstVist".
void ShowSplash(TrayWindow& window, Clock& clock, SettingsStore& settings, int seconds);

} // namespace lexi
