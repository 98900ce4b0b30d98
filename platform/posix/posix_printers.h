#pragma once

#include "platform/posix/drive_table.h"
#include "platform/printers.h"
#include "platform/registry.h"

#include <functional>
#include <string>

namespace lexi::posix {

// The printers of a Linux workstation. The default printer is the one the
// registry's "Device" string names, as Windows programs set it; where none is
// set, the print service's default stands in. A job for the PDF writer goes
// to its driver program (started apart from this process, which does not
// wait for it, as a printer driver works on its own) when the driver is
// installed for the user; any other job goes to the print service (lp). The
// programs get their arguments as a vector, never through a command shell.
class PosixPrinters final : public Printers {
public:
    // `driver` is the PDF writer driver program: a path, or a name looked up
    // on PATH. `note` receives what the printers have to say beyond their
    // numbers (the run log).
    PosixPrinters(Registry& registry, const DriveTable& drives, std::string driver,
                  std::function<void(const std::string&)> note);

    std::string defaultPrinter() override;
    std::string port(std::string_view printer) override;
    int print(std::string_view file, std::string_view printer) override;

    // The number the printers answer when a job is taken.
    static constexpr int Taken = 42;

    // A job for the PDF writer carries a token of its own: written among the
    // job settings (this value of the driver's settings key) as the job is
    // handed over, and given to the driver with the job, so that the driver
    // converts the job only with the settings it was handed over with.
    static constexpr std::string_view JobTokenValue = "JobToken";

private:
    bool pdfWriterInstalled();
    int printToPdfWriter(const std::string& hostFile);
    // Writes a new job token among the job settings; the token, empty when
    // there are no settings to write it to.
    std::string newJobToken();
    int printWithService(const std::string& hostFile, std::string_view printer);

    Registry& registry_;
    const DriveTable& drives_;
    std::string driver_;
    std::function<void(const std::string&)> note_;
};

} // namespace lexi::posix
