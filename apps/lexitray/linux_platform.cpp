#include "apps/lexitray/linux_platform.h"

#include "apps/lexitray/ui_choice.h"
#include "platform/posix/lexitray_home.h"

#include <filesystem>

namespace lexi {

LinuxPlatform::LinuxPlatform()
    : home_(posix::lexitrayHome()), registry_(home_ + "/registry.db"), settings_(registry_),
      files_(posix::DriveTable::load(registry_, home_)), processes_(files_.drives(), home_),
      shell_(files_.drives(),
             [this](const std::string& note) {
                 if (notes_) {
                     notes_(note);
                 }
             }),
      ui_(chooseUi()), outlook_(home_ + "/mailstore.db", clock_, *ui_, files_.drives()),
      platform_{registry_, settings_, files_,   processes_, shell_,
                *ui_,      clock_,    outlook_, word_,      windows_} {
    // Drive C: is always there, as on any workstation.
    std::error_code ignored;
    std::filesystem::create_directories(home_ + "/drive_c", ignored);
}

} // namespace lexi
