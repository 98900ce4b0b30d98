#pragma once

#include <string>
#include <string_view>

namespace lexi {

// The printer name under which the PDF writer driver is installed.
inline constexpr std::string_view PdfWriterName = "Lexitray PDF Writer";

// The workstation's printers: which one is the default, and handing a file to
// one of them. A printer works on its own: a call returns once the printer has
// the job, not when the job is printed. Calls never throw: a job the printer
// does not take is answered with the shell's numbers.
class Printers {
public:
    virtual ~Printers() = default;

    // The default printer's name; empty when the workstation has none.
    virtual std::string defaultPrinter() = 0;

    // The port the printer is installed on, as Windows lists it for the user
    // ("Ne00:"); empty for a printer it does not list.
    virtual std::string port(std::string_view printer) = 0;

    // Hands a file (a workstation path, "C:\Sager\brev.docx") to the printer
    // of that name, answered as the shell answers (platform/shell.h): a number
    // above shellcode::LastError when the printer took the job, else
    // FileNotFound, PathNotFound or NoAssociation (no such printer, or it
    // refused the job).
    [[nodiscard]] virtual int print(std::string_view file, std::string_view printer) = 0;
};

} // namespace lexi
