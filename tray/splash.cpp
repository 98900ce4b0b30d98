#include "tray/splash.h"

#include <cstdio>

namespace lexi {
namespace {

std::string ddmmyy(const LocalDateTime& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d", day.day, day.month, day.year % 100);
    return text;
}

} // namespace

void ShowSplash(TrayWindow& window, Clock& clock, SettingsStore& settings, int seconds) {
    window.load();
    window.showFor(clock, seconds * 1000);
    window.unload();
    settings.saveSetting("Lexitray", "Splash", "SidstVist", ddmmyy(clock.now()));
}

} // namespace lexi
