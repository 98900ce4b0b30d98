#pragma once

// What the tests of the Win32 dialogs share: the twips the models give in
// the screen's pixels, a window's text, its screenshot, and a user played
// from a timer while a dialog runs modally.

#include <functional>
#include <string>
#include <windows.h>

namespace lexi::win32::test {

int pixels(int twips);
std::wstring textOf(HWND window);

// When LEXITRAY_SCREENSHOTS names a folder, the window as the screen shows
// it, saved there as `name`.bmp, to be looked at (on Xvfb with Wine's X11
// driver).
void keepScreenshot(HWND window, const char* name);

// Once a visible dialog with this title is there, runs `act` with it, once,
// from a timer of the thread; the modal loop that shows the dialog runs the
// timer. One at a time.
class PlayedUser {
public:
    PlayedUser(std::wstring title, std::function<void(HWND dialog)> act);
    ~PlayedUser();
    PlayedUser(const PlayedUser&) = delete;
    PlayedUser& operator=(const PlayedUser&) = delete;

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);

    std::wstring title_;
    std::function<void(HWND)> act_;
    UINT_PTR timer_ = 0;
};

} // namespace lexi::win32::test
