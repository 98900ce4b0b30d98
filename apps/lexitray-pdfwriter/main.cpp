// lexitray-pdfwriter: the PDF writer driver. "install" and "uninstall" add
// the PDF writer to the current user's printers and take it away again;
// "print <document> [<job token>]" is one print job, started by whoever
// prints and not waited for.

#include "apps/lexitray-pdfwriter/driver_log.h"
#include "apps/lexitray-pdfwriter/pdf_job.h"
#include "apps/lexitray-pdfwriter/printer_install.h"
#include "apps/lexitray/ui_choice.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/lexitray_home.h"
#include "platform/posix/libreoffice/cold_office.h"
#include "platform/posix/libreoffice/fallback_office.h"
#include "platform/posix/libreoffice/warm_office.h"
#include "platform/posix/sqlite_registry.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {

// Long enough for LibreOffice to build its user installation on its first
// start and convert a large document; the engine waiting for the PDF gives up
// after two minutes.
constexpr std::chrono::seconds ConversionLimit{100};

} // namespace

int main(int argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (!(argc == 2 && (command == "install" || command == "uninstall")) &&
        !((argc == 3 || argc == 4) && command == "print")) {
        std::fputs("usage: lexitray-pdfwriter install | uninstall | print <document> [<job>]\n",
                   stderr);
        return 2;
    }
    const std::string home = lexi::posix::lexitrayHome();
    lexi::posix::createPrivateFolder(home);
    lexi::posix::SqliteRegistry registry(home + "/registry.db");
    const std::unique_ptr<lexi::Ui> ui = lexi::chooseUi();
    lexi::mdRegistry module(registry, *ui);
    if (command == "install") {
        return lexi::installPdfWriter(module) ? 0 : 1;
    }
    if (command == "uninstall") {
        return lexi::uninstallPdfWriter(module) ? 0 : 1;
    }
    const lexi::posix::DriveTable drives = lexi::posix::DriveTable::load(registry, home);
    // The user's warm LibreOffice converts; when it cannot be had, a
    // LibreOffice of the job's own.
    lexi::posix::FallbackOffice office(std::make_unique<lexi::posix::WarmOffice>(home),
                                       std::make_unique<lexi::posix::ColdOffice>(
                                           home + "/libreoffice/driver-profile", ConversionLimit));
    lexi::DriverLog log(home + "/lexitray-pdfwriter.log");
    lexi::PdfJob job(module, *ui, office, drives, log);
    return job.print(argv[2], argc == 4 ? argv[3] : "") ? 0 : 1;
}
