// The Win32 services that have no contract of their own: texts at the
// boundary, the shell's answers, named locks, processes and window search.

#include "platform/failure.h"
#include "platform/win32/notification_icon.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_window_search.h"

#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace lexi::win32 {
namespace {

TEST(WideText, CrossesTheBoundaryBothWaysAndMarksWhatIsNotText) {
    const std::pair<std::string, std::wstring> cases[] = {
        {"", L""},
        {"Ærø €", L"\u00C6r\u00F8 \u20AC"},
        {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
    };
    for (const auto& [utf8, utf16] : cases) {
        EXPECT_EQ(toWide(utf8), utf16);
        EXPECT_EQ(fromWide(utf16), utf8);
    }
    EXPECT_EQ(toWide("a\xFFz"), L"a\uFFFDz");
    EXPECT_EQ(fromWide(L"a\xD800z"), "a\xEF\xBF\xBDz");
}

TEST(NotificationIcon, TellsItsMouseMessagesFromMouseMovesOverTheWindow) {
    // Message, wParam, lParam, the icon's mouse message.
    const std::tuple<UINT, WPARAM, LPARAM, int> cases[] = {
        {WM_MOUSEMOVE, 1, WM_RBUTTONUP, WM_RBUTTONUP},
        {WM_MOUSEMOVE, 1, WM_LBUTTONDBLCLK, WM_LBUTTONDBLCLK},
        {WM_MOUSEMOVE, 0, 40, 0},
        {WM_MOUSEMOVE, 1, MAKELPARAM(WM_LBUTTONUP, 3), 0},
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 0), 0},
        {WM_COMMAND, 1, WM_LBUTTONUP, 0},
    };
    for (const auto& [message, wParam, lParam, mouseMessage] : cases) {
        EXPECT_EQ(NotificationIcon::mouseMessageOf(message, wParam, lParam), mouseMessage)
            << wParam << " " << lParam;
    }
}

TEST(Win32Shell, AnswersWithShellExecutesNumbers) {
    std::ofstream("C:\\ukendt.lexitray-ukendt") << "x";
    Win32Shell shell;
    // Verb, file, the answer.
    const std::tuple<const char*, const char*, int> cases[] = {
        {"open", "C:\\mangler.docx", 2},
        {"open", "C:\\Mangler\\brev.docx", 3},
        {"open", "C:\\ukendt.lexitray-ukendt", 31},
    };
    for (const auto& [verb, file, answer] : cases) {
        EXPECT_EQ(shell.execute(verb, file, "", "C:\\", ShowMode::Maximized), answer) << file;
    }
}

TEST(Win32Processes, FindsStartsAndLocksAsWindowsDoes) {
    Win32Processes processes;
    const auto found = processes.processesByImageName("PLATFORM_TESTS.EXE");
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].id, processes.currentProcessId());
    EXPECT_FALSE(processes.logonName().empty());
    try {
        processes.start("\"C:\\Mangler\\program.exe\" -a", ShowMode::Hidden);
        ADD_FAILURE() << "a missing program started";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), failure::FileNotFound);
    }
    // A lock is held until its object goes; the holder's other threads find
    // it taken too.
    auto held = processes.tryLock("test\\lock");
    ASSERT_TRUE(held);
    bool takenElsewhere = true;
    std::thread([&] { takenElsewhere = processes.tryLock("test\\lock") == nullptr; }).join();
    EXPECT_TRUE(takenElsewhere);
    held.reset();
    std::thread([&] { takenElsewhere = processes.tryLock("test\\lock") == nullptr; }).join();
    EXPECT_FALSE(takenElsewhere);
}

TEST(Win32WindowSearch, FindsATopLevelWindowByClassAndTitle) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = L"LexitrayTestÆ";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowW(L"LexitrayTestÆ", L"Sag 12 ø", WS_OVERLAPPED, 0, 0, 10, 10,
                                      nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    Win32WindowSearch windows;
    EXPECT_EQ((std::vector{windows.findWindow("LexitrayTestÆ", ""),
                           windows.findWindow("LexitrayTestÆ", "Sag 12 ø"),
                           windows.findWindow("LexitrayTestÆ", "Sag 13"),
                           windows.findWindow("LexitrayIngen", "")}),
              (std::vector{true, true, false, false}));
    DestroyWindow(window);
}

} // namespace
} // namespace lexi::win32
