#include "tests/windows/dialog_test_support.h"

namespace lexi::win32::test {
namespace {

PlayedUser* current = nullptr;

} // namespace

int pixels(int twips) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return MulDiv(twips, dpi, 1440);
}

std::wstring textOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

PlayedUser::PlayedUser(std::wstring title, std::function<void(HWND)> act)
    : title_(std::move(title)), act_(std::move(act)) {
    current = this;
    timer_ = SetTimer(nullptr, 0, 50, tick);
}

PlayedUser::~PlayedUser() {
    KillTimer(nullptr, timer_);
    current = nullptr;
}

void CALLBACK PlayedUser::tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current || !current->act_) {
        return;
    }
    const HWND dialog = FindWindowW(L"#32770", current->title_.c_str());
    if (dialog && IsWindowVisible(dialog)) {
        // Once: the act may run a modal loop of its own.
        const auto act = std::move(current->act_);
        current->act_ = nullptr;
        act(dialog);
    }
}

} // namespace lexi::win32::test
