#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace lexi {
class Registry;
}

namespace lexi::posix {

// Maps the workstation's drive letters to host folders, and path texts both
// ways: "C:\Sager\Brev.docx" to "/home/x/.local/share/lexitray/drive_c/sager/brev.docx".
// A component with no exact match on the host is matched without regard to
// letter case, as Windows does; trailing spaces and dots of a component are
// dropped, as Windows drops them.
class DriveTable {
public:
    // A table with the given drive letters ("C" to "/home/x/drive_c").
    explicit DriveTable(std::map<char, std::string> drives);

    // The table of a home folder: C: is <home>/drive_c and Z: is "/", plus the
    // drives given as values "D:" = host folder.
    static DriveTable forHome(const std::string& home,
                              const std::map<char, std::string>& extraDrives);

    // The host path of a workstation path; nothing for a drive the table lacks
    // or a path that names no drive (UNC paths). A path without a drive is
    // taken relative to the current folder.
    std::optional<std::string> toHost(std::string_view windowsPath) const;

    // The workstation path of a host path, through the drive whose folder is
    // the longest prefix of it ("/tmp" gives "Z:\tmp").
    std::string toWindows(std::string_view hostPath) const;

    // The table of a home folder with the drives the user added to the
    // registry: values "D:" = host folder under
    // HKEY_CURRENT_USER\Software\Lexitray\Drives.
    static DriveTable load(Registry& registry, const std::string& home);

private:
    std::map<char, std::string> drives_; // upper-case letter to host folder without final "/"
};

} // namespace lexi::posix
