// The windows of Win32Ui that are not drawn on Windows yet. Each fails with a
// Failure naming the window, which its caller reports as any failure: no
// window is answered unseen. A window drawn later moves to a file of its own.

#include "platform/failure.h"
#include "platform/win32/win32_ui.h"

namespace lexi::win32 {
namespace {

[[noreturn]] void notDrawn(const char* window) {
    throw Failure(failure::ApplicationDefined,
                  std::string(window) + " is not available on Windows yet", "Ui");
}

} // namespace

void Win32Ui::showComposeWindow(ComposeWindow&) {
    notDrawn("The mail window");
}

int Win32Ui::pickFolder(const std::vector<std::string>&) {
    notDrawn("The folder picker");
}

void Win32Ui::showItemWindow(const ItemWindowContent&) {
    notDrawn("The item window");
}

} // namespace lexi::win32
