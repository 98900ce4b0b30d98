#pragma once

// What the tests of the Win32 dialogs share: the twips the models give in
// the screen's pixels, a window's text, its screenshot, and a user played
// from a timer while a dialog runs modally, over a host window of the
// test's own.

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

// What the user does once the dialog is up, with the dialog and its owner.
using Act = std::function<void(HWND dialog, HWND host)>;

// Runs `showModal` while a host window is the active one; `act` runs once a
// dialog titled `title` is up. The host takes input again afterwards.
void playModal(const wchar_t* title, const std::function<void()>& showModal, const Act& act);

} // namespace lexi::win32::test
