#pragma once

// Plays the user of a Win32 dialog that runs modally: the dialog is shown
// over a host window of the test's own, and what the user does runs from a
// timer once the dialog is up.

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace lexi::win32::testing {

inline int pixels(int twips) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return MulDiv(twips, dpi, 1440);
}

inline std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// What the user does once the dialog is up, with the dialog and its owner.
using Act = std::function<void(HWND dialog, HWND host)>;

// The dialog awaited and what the user then does.
inline const wchar_t* pendingTitle = nullptr;
inline Act* pendingAct = nullptr;

inline void CALLBACK actOnceTheDialogIsUp(HWND, UINT, UINT_PTR, DWORD) {
    const HWND dialog = FindWindowW(L"#32770", pendingTitle);
    if (dialog && pendingAct) {
        Act* act = pendingAct;
        pendingAct = nullptr;
        (*act)(dialog, GetWindow(dialog, GW_OWNER));
    }
}

// Runs `showModal` while a host window is the active one; `act` runs once a
// dialog titled `title` exists. The host takes input again afterwards.
inline void playModal(const wchar_t* title, const std::function<void()>& showModal, Act act) {
    const HWND host = CreateWindowExW(0, L"STATIC", L"Vaert", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                      0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(host);
    pendingTitle = title;
    pendingAct = &act;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, actOnceTheDialogIsUp);
    showModal();
    KillTimer(nullptr, timer);
    pendingAct = nullptr;
    EXPECT_TRUE(IsWindowEnabled(host)) << "the host takes input again";
    DestroyWindow(host);
}

} // namespace lexi::win32::testing
