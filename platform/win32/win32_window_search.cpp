#include "platform/win32/win32_window_search.h"

#include "platform/cp1252.h"

#include <windows.h>

namespace lexi::win32 {

bool Win32WindowSearch::findWindow(std::string_view windowClass, std::string_view title) {
    const std::string classBytes = cp1252::fromUtf8(windowClass);
    const std::string titleBytes = cp1252::fromUtf8(title);
    return FindWindowA(classBytes.c_str(), title.empty() ? nullptr : titleBytes.c_str()) != nullptr;
}

} // namespace lexi::win32
