#pragma once

#include "platform/printers.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace lexi::win32 {

// The printers of Windows. The default printer is the "Device" string, which
// the program switches as Windows programs do; where Windows has not taken a
// switched default as its own, SetDefaultPrinterW tells it before printing.
// Files are printed by their applications through the shell: "print" on the
// default printer, "printto" on another.
class Win32Printers final : public Printers {
public:
    Win32Printers(Registry& registry, Shell& shell);

    std::string defaultPrinter() override;
    std::string port(std::string_view printer) override;
    int print(std::string_view file, std::string_view printer) override;

private:
    Registry& registry_;
    Shell& shell_;
};

} // namespace lexi::win32
