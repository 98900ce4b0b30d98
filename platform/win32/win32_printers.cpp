#include "platform/win32/win32_printers.h"

#include "platform/printer_values.h"
#include "platform/text.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

#include <windows.h>

namespace lexi::win32 {
namespace {

constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int NoSuchPrinter = 31;

// The printer Windows itself prints on by default; empty when there is none.
std::string windowsDefault() {
    const auto getDefault =
        systemFunction<BOOL WINAPI(wchar_t*, DWORD*)>(L"winspool.drv", "GetDefaultPrinterW");
    DWORD length = 0;
    if (!getDefault) {
        return {};
    }
    getDefault(nullptr, &length);
    std::wstring name(length, L'\0');
    if (length == 0 || !getDefault(name.data(), &length)) {
        return {};
    }
    name.resize(length - 1);
    return fromWide(name);
}

// Makes the printer Windows' default, telling the running programs.
bool makeWindowsDefault(std::string_view printer) {
    const auto setDefault =
        systemFunction<BOOL WINAPI(const wchar_t*)>(L"winspool.drv", "SetDefaultPrinterW");
    return setDefault && setDefault(toWide(printer).c_str());
}

} // namespace

Win32Printers::Win32Printers(Registry& registry, Shell& shell)
    : registry_(registry), shell_(shell) {}

std::string Win32Printers::defaultPrinter() {
    const std::string name = printer_values::defaultPrinter(registry_);
    return name.empty() ? windowsDefault() : name;
}

std::string Win32Printers::port(std::string_view printer) {
    return printer_values::port(registry_, printer);
}

int Win32Printers::print(std::string_view file, std::string_view printer) {
    if (GetFileAttributesW(toWide(file).c_str()) == INVALID_FILE_ATTRIBUTES) {
        return GetLastError() == ERROR_FILE_NOT_FOUND ? FileNotFound : PathNotFound;
    }
    if (printer.empty()) {
        return NoSuchPrinter;
    }
    if (!text::equalsIgnoreCase(printer, defaultPrinter())) {
        return shell_.execute("printto", file, "\"" + std::string(printer) + "\"", "",
                              ShowMode::Hidden);
    }
    if (!text::equalsIgnoreCase(printer, windowsDefault()) && !makeWindowsDefault(printer)) {
        return NoSuchPrinter;
    }
    return shell_.execute("print", file, "", "", ShowMode::Hidden);
}

} // namespace lexi::win32
