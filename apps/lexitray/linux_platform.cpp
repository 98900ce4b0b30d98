#include "apps/lexitray/linux_platform.h"

#include "apps/lexitray/ui_choice.h"
#include "platform/posix/lexitray_home.h"
#include "platform/posix/loading/program_folder.h"

#include <cstdlib>
#include <filesystem>

namespace lexi {
namespace {

// The PDF writer driver is installed beside the program; elsewhere (the
// build folder) it is looked for on PATH.
std::string pdfWriterDriver() {
    constexpr const char* Driver = "lexitray-pdfwriter";
    const std::filesystem::path beside = posix::programFolder() / Driver;
    std::error_code error;
    return std::filesystem::exists(beside, error) ? beside.string() : Driver;
}

} // namespace

LinuxPlatform::LinuxPlatform(std::unique_ptr<WindowSearch> windows,
                             WithoutDesktopUi withoutDesktopUi)
    : home_(posix::lexitrayHome()), registry_(home_ + "/registry.db"), settings_(registry_),
      files_(posix::DriveTable::load(registry_, home_)), processes_(files_.drives(), home_),
      printers_(registry_, files_.drives(), pdfWriterDriver(),
                [this](const std::string& note) { passNote(note); }),
      shell_(files_.drives(), printers_, [this](const std::string& note) { passNote(note); }),
      ui_(chooseUi(&files_.drives(),
                   [this, withoutDesktopUi](const std::string& why) {
                       passNote("The desktop's windows cannot be shown: " + why);
                       if (withoutDesktopUi == WithoutDesktopUi::ProgramEnds) {
                           std::exit(EXIT_FAILURE);
                       }
                   })),
      outlook_(home_ + "/mailstore.db", clock_, *ui_, files_.drives()),
      word_(home_, files_.drives(), printers_),
      windows_(std::move(windows)), platform_{registry_, settings_, files_, processes_,
                                              shell_,    *ui_,      clock_, outlook_,
                                              word_,     *windows_} {
    // Drive C: is always there, as on any workstation.
    posix::createPrivateFolder(home_);
    std::error_code ignored;
    std::filesystem::create_directories(home_ + "/drive_c", ignored);
}

void LinuxPlatform::passNote(const std::string& note) const {
    if (notes_) {
        notes_(note);
    }
}

} // namespace lexi
