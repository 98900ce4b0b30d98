#pragma once

#include "library/library_state.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/ui.h"
#include "platform/word.h"

#include <string>

namespace lexi {

// The file functions the case-management system uses for its case folders.
// Arguments passed by reference are changed where the caller sees it: a
// folder argument normalised to end in "\", a file name filled in.
class Filfunc {
public:
    Filfunc(FileSystem& files, Ui& ui, Processes& processes, WordConnector& word,
            LibraryState& state);

    // Creates every missing folder of the path, leaving the current drive at
    // the path's drive and its root the current folder. "OK", "Stinavnet er
    // for langt" for a path that reaches character 256 with a name, or the
    // description of the failure that stopped it. A folder that exists in
    // another letter case is the same folder, as on the workstation's drives.
    // A path without a drive is made on the current drive; a UNC path
    // ("\\server\share") is not found, as no drive path reaches the network.
    std::string OpretMappe(const std::string& Mappe);
    // The file the user picks in the file-open dialog, opened at `Sti` ("C:\"
    // when empty); empty when the user cancels.
    std::string HentFil(std::string& Sti);
    // The folder the user picks, starting at `StartSti`; empty on cancel.
    std::string HentDir(const std::string& StartSti);
    static std::string OCXVersion() { return "5.12.006 XP"; }
    // Copies `FraSti` into the folder `TilSti` as `Filnavn` (the source's name
    // when empty), read-only when `Beskyt` is exactly "ReadOnly". "OK" or
    // "Fejl"; "Fejl" too for a file there already that mayChange refuses.
    std::string Kopier(const std::string& FraSti, std::string& TilSti, const std::string& Beskyt,
                       std::string& Filnavn);
    // "ReadOnly" or "Normal".
    std::string Kontrol(const std::string& Filnavn);
    // Deletes the folder with all it holds, read-only files too, ignoring
    // every failure and what mayChange refuses. Always the empty text.
    std::string MappeSlet(std::string& Mappe);
    // The data source of a Word merge document whose name ends in "doc",
    // when that file exists; else the empty text.
    std::string GetDataSource(const std::string& File);
    // The bare name of the first normal file matching the path or pattern.
    std::string FileExists(const std::string& File);
    // "OK" when the folder holds a normal file, else the empty text.
    std::string TjekMappeOmIndhold(std::string& Mappe);
    // Gives every normal file of the folder whose name is longer than 98
    // characters a name of 90 characters and its extension, made unique with
    // suffixes "_1", "_2"... that pile up, each cut further where the file
    // system needs it. Fails with 75 for a folder mayChange refuses.
    void KortFilnavn(std::string& Mappe);
    // "0" the Windows folder, "1" the system folder, "2" the temporary one.
    std::string SpecialFolderLocation(const std::string& FolderName);
    // Starts the command line minimised; false when it could not start.
    bool CmdShell(const std::string& Param);

private:
    bool isNormalFile(const std::string& path);
    // Whether a call may delete or replace what lies at `path`: a full path
    // (drive, then "\\"; or a network share) with at least `depth` names
    // below the drive's or the share's root (1: a folder there, 2: a file in
    // one), on the user's own part of the drives. A mistaken empty, relative or root path must not
    // wipe the caller's current folder or a drive.
    bool mayChange(const std::string& path, std::size_t depth);

    FileSystem& files_;
    Ui& ui_;
    Processes& processes_;
    WordConnector& word_;
    LibraryState& state_;
};

} // namespace lexi
