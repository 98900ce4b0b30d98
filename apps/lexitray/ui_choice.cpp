#include "apps/lexitray/ui_choice.h"

#include "apps/lexitray/lazy_qt_ui.h"
#include "apps/lexitray/scripted_ui_choice.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace lexi {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A tray window with nothing left to do waits, as the program in the
// notification area does, until it is stopped.
void waitUntilStopped() {
    for (;;) {
        ::pause();
    }
}

std::unique_ptr<Ui> scriptedUi() {
    return scriptedUiFromEnvironment(variable, waitUntilStopped);
}

// A display this process can reach: a Wayland socket, or an X display that
// is remote or has its local socket. Qt ends the program at once when it
// cannot open its display, so a display named but gone counts as none.
bool displayExists() {
    std::error_code ignored;
    const std::string wayland = variable("WAYLAND_DISPLAY");
    if (!wayland.empty()) {
        const std::string socket =
            wayland.starts_with('/') ? wayland : variable("XDG_RUNTIME_DIR") + "/" + wayland;
        if (std::filesystem::exists(socket, ignored)) {
            return true;
        }
    }
    const std::string x = variable("DISPLAY");
    const std::size_t colon = x.rfind(':');
    if (x.empty() || colon == std::string::npos) {
        return false;
    }
    const std::string host = x.substr(0, colon);
    if (!host.empty() && host != "unix" && !host.starts_with('/')) {
        return true;
    }
    const std::string number = x.substr(colon + 1, x.find('.', colon) - colon - 1);
    return std::filesystem::exists("/tmp/.X11-unix/X" + number, ignored);
}

} // namespace

std::unique_ptr<Ui> chooseUi(const posix::DriveTable* drives,
                             std::function<void(const std::string& why)> qtMissing) {
    const std::string choice = variable("LEXITRAY_UI");
    if (choice == "script") {
        return scriptedUi();
    }
    if (choice == "qt" || displayExists()) {
        return std::make_unique<LazyQtUi>(std::move(qtMissing), drives);
    }
    return scriptedUi();
}

} // namespace lexi
