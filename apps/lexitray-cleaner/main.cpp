// lexitray-cleaner: removes hidden data from documents. "install" makes it
// answer at the workstation's hidden-data tool path under drive C; started
// there (or here) with "<source> <target> /o /n:a /l:<log> /m" it writes the
// cleaned copy of the source to the target.

#include "apps/lexitray-cleaner/cleaner_run.h"
#include "apps/lexitray-cleaner/document_cleaning.h"
#include "apps/lexitray-cleaner/tool_install.h"
#include "apps/lexitray-cleaner/word_binary.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/lexitray_home.h"
#include "platform/posix/libreoffice/cold_office.h"
#include "platform/posix/libreoffice/warm_office.h"
#include "platform/posix/loading/program_folder.h"
#include "platform/posix/sqlite_registry.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

namespace {

// Long enough for LibreOffice to build its user installation on its first
// start and convert a large document.
constexpr std::chrono::seconds ConversionLimit{100};

} // namespace

int main(int argc, char** argv) {
    const std::string home = lexi::posix::lexitrayHome();
    std::error_code ignored;
    std::filesystem::create_directories(home, ignored);
    lexi::posix::SqliteRegistry registry(home + "/registry.db");
    const lexi::posix::DriveTable drives = lexi::posix::DriveTable::load(registry, home);
    if (argc == 2 && std::string_view(argv[1]) == "install") {
        const std::filesystem::path self = lexi::posix::programFile();
        if (self.empty() || !lexi::installHiddenDataTool(drives, self.string())) {
            std::fputs("lexitray-cleaner: the tool's path cannot be written\n", stderr);
            return 1;
        }
        return 0;
    }
    std::unique_ptr<lexi::posix::ColdOffice> converter;
    std::unique_ptr<lexi::posix::WarmOffice> office;
    const auto clean = [&](lexi::CleanableFormat format, const std::string& source,
                           const std::string& target) {
        switch (format) {
        case lexi::CleanableFormat::OfficeOpenXml:
        case lexi::CleanableFormat::OpenDocument:
            return lexi::cleanPackage(format, source, target);
        case lexi::CleanableFormat::Pdf:
            return lexi::cleanPdf(source, target);
        case lexi::CleanableFormat::WordBinary:
            // Only Word 97 documents need the user's LibreOffice.
            converter = std::make_unique<lexi::posix::ColdOffice>(
                home + "/libreoffice/cleaner-profile", ConversionLimit);
            office = std::make_unique<lexi::posix::WarmOffice>(home);
            return lexi::cleanWordBinary(*converter, *office, source, target);
        }
    };
    return lexi::runCleaner({argv + 1, argv + argc}, drives, clean);
}
