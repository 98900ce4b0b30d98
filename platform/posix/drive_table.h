#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexi {
class Registry;
}

namespace lexi::posix {

// Maps the workstation's drive letters to host folders, and path texts both
// ways: "C:\Sager\Brev.docx" to "/home/x/.local/share/lexitray/drive_c/sager/brev.docx".
// A component with no exact match on the host is matched without regard to
// letter case, as Windows does; trailing spaces and dots of a component are
// dropped, as Windows drops them.
//
// C: is the workstation's own drive, where the case folders and the program's
// files live. Z: shows the whole machine ("/"), as Wine shows it, so that
// every host path has a drive path too: the temporary folder, documents
// anywhere on the machine, what the desktop's file dialogs answer. Z: is the
// machine's, not the user's: isUsersOwn tells where the user's files are.
class DriveTable {
public:
    // A table with the given drive letters ("C" to "/home/x/drive_c").
    explicit DriveTable(std::map<char, std::string> drives);

    // The table of a home folder: C: is <home>/drive_c and Z: is "/", plus the
    // drives given as values "D:" = host folder.
    static DriveTable forHome(const std::string& home,
                              const std::map<char, std::string>& extraDrives);

    // The host path of a workstation path; nothing for a drive the table lacks
    // or a path that names no drive: a UNC path ("\\server\share") names a
    // machine of the network, which a Linux workstation does not reach
    // through drive paths. A path without a drive is taken relative to the
    // current folder.
    std::optional<std::string> toHost(std::string_view windowsPath) const;

    // The current folder of the workstation's paths, which starts at the
    // root of C:. The host process's own current folder is left alone.
    const std::string& currentFolder() const { return currentFolder_; }
    void setCurrentFolder(std::string windowsPath) { currentFolder_ = std::move(windowsPath); }

    // False for a path on a drive that shows the machine's root ("/", as Z:
    // does) unless it lies below one of `ownFolders` (host folders: the
    // user's home and temporary folder), links followed; false for a path
    // that names no drive of the table.
    bool isUsersOwn(std::string_view windowsPath, const std::vector<std::string>& ownFolders) const;

    // The workstation path of a host path, through the drive whose folder is
    // the longest prefix of it ("/tmp" gives "Z:\tmp").
    std::string toWindows(std::string_view hostPath) const;

    // The table of a home folder with the drives the user added to the
    // registry: values "D:" = host folder under
    // HKEY_CURRENT_USER\Software\Lexitray\Drives.
    static DriveTable load(Registry& registry, const std::string& home);

private:
    std::map<char, std::string> drives_; // upper-case letter to host folder without final "/"
    std::string currentFolder_ = "C:\\";
};

} // namespace lexi::posix
