#include "apps/lexitray/windows_platform.h"

#include "apps/lexitray/scripted_ui_choice.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ui.h"

#include <cstdlib>

namespace lexi {
namespace {

std::string variable(const char* name) {
    const wchar_t* value = _wgetenv(win32::toWide(name).c_str());
    return value ? win32::fromWide(value) : std::string();
}

std::unique_ptr<Ui> chooseUi() {
    if (variable("LEXITRAY_UI") != "script") {
        return std::make_unique<win32::Win32Ui>();
    }
    // A tray window with nothing left to do waits, as the program in the
    // notification area does, until it is stopped.
    return scriptedUiFromEnvironment(variable, [] {
        for (;;) {
            Sleep(INFINITE);
        }
    });
}

} // namespace

WindowsPlatform::WindowsPlatform()
    : settings_(registry_), printers_(registry_, shell_),
      ui_(chooseUi()), platform_{registry_, settings_, files_,   processes_, shell_,
                                 *ui_,      clock_,    outlook_, word_,      windows_} {}

} // namespace lexi
