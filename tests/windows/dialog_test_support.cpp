#include "tests/windows/dialog_test_support.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

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

void keepScreenshot(HWND window, const char* name) {
    const char* folder = std::getenv("LEXITRAY_SCREENSHOTS");
    if (!folder) {
        return;
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const HDC screen = GetDC(nullptr);
    const HDC copy = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
    SelectObject(copy, previous);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::vector<char> pixels(static_cast<std::size_t>(width) * height * 4);
    GetDIBits(copy, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::ofstream out(std::string(folder) + "/" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
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

void playModal(const wchar_t* title, const std::function<void()>& showModal, const Act& act) {
    const HWND host = CreateWindowExW(0, L"STATIC", L"Vaert", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                      0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(host);
    {
        const PlayedUser user(title,
                              [&](HWND dialog) { act(dialog, GetWindow(dialog, GW_OWNER)); });
        showModal();
    }
    EXPECT_TRUE(IsWindowEnabled(host)) << "the host takes input again";
    DestroyWindow(host);
}

} // namespace lexi::win32::test
