#pragma once

// The file system of the workstation. Its calls throw lexi::Failure with the
// runtime's numbers when they fail; exists, isFolder, fileStamp, list,
// tempFolder, currentFolder, nameLength and isUsersOwn never fail.

#include "platform/failure.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexi {

// File attributes as the workstation reports them.
namespace attribute {
inline constexpr int Normal = 0;
inline constexpr int ReadOnly = 1;
inline constexpr int Hidden = 2;
inline constexpr int System = 4;
inline constexpr int Directory = 16;
inline constexpr int Archive = 32;
} // namespace attribute

// The longest name of one file or folder, in the units FileSystem::nameLength
// counts: 255 on the file systems of Linux and of Windows alike.
inline constexpr std::size_t LongestName = 255;
// The most a temporary file written beside another adds to its name (a
// hidden mark, a process or random number and an ending): a name must leave
// this much room for it.
inline constexpr std::size_t TemporarySuffixRoom = 32;

// The file system, addressed by the workstation's path texts
// ("C:\Sager\12\brev.docx"; "\" and "/" both separate components; a drive
// the workstation lacks is a missing path). The failures: 53 file not found
// (its folder is there), 76 path not found (the folder is missing too, or the
// drive), 70 permission denied (a read-only file), 58 file already exists,
// 61 disk full, 75 path/file access error (a folder where a file is meant,
// an existing or non-empty folder, a drive's root, anything else).
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True for an existing file or folder; never throws.
    virtual bool exists(std::string_view path) = 0;
    virtual bool isFolder(std::string_view path) = 0;

    virtual std::int64_t fileSize(std::string_view path) = 0;
    // A text that differs whenever the file has been written or replaced
    // since, and stays the same while it is left alone; empty when no file
    // is there. Never throws.
    virtual std::string fileStamp(std::string_view path) = 0;
    virtual int attributes(std::string_view path) = 0;
    virtual void setAttributes(std::string_view path, int attributes) = 0;

    virtual void copyFile(std::string_view from, std::string_view to, bool overwrite) = 0;
    // Moves a file to a name that must not exist yet.
    virtual void moveFile(std::string_view from, std::string_view to) = 0;
    // Moves a file over another in one step: readers find the old file or
    // the new one, never none.
    virtual void replaceFile(std::string_view from, std::string_view to) = 0;
    // `force` also deletes a read-only file.
    virtual void deleteFile(std::string_view path, bool force) = 0;

    virtual void createFolder(std::string_view path) = 0;
    // Removes an empty folder, or with `recursive` the folder and all it holds.
    virtual void removeFolder(std::string_view path, bool recursive) = 0;

    // The names (not paths) of the entries matching a pattern such as
    // "C:\Sager\*.doc" ("*" and "?" in the last component; no match: empty).
    virtual std::vector<std::string> list(std::string_view pattern) = 0;

    // The system temporary folder, without a final separator ("Z:\tmp").
    virtual std::string tempFolder() = 0;
    // The current folder of the process ("C:\Users\x"); every process starts
    // at the root of drive C:.
    virtual std::string currentFolder() = 0;
    // Makes a folder the current folder of the process, and its drive the
    // current drive; "\" is the root of the current drive. Throws 76 for a
    // folder that is not there.
    virtual void changeFolder(std::string_view path) = 0;

    // A file's bytes, unconverted (8-bit text files are read through this).
    virtual std::string readFile(std::string_view path) = 0;
    // Replaces a file with the bytes, creating it when missing.
    virtual void writeFile(std::string_view path, std::string_view bytes) = 0;
    // Appends the bytes in one step that never interleaves with another
    // process's append and never fails because another process has the file
    // open; creates the file when missing. A file already larger than
    // `emptyAbove` bytes (when not negative) is emptied first, within the same
    // step, so that no other process's line is lost with it.
    virtual void appendToFile(std::string_view path, std::string_view bytes,
                              std::int64_t emptyAbove = -1) = 0;

    // The length of one name in the units its file system limits names in:
    // bytes of UTF-8 on Linux, UTF-16 code units on Windows.
    virtual std::size_t nameLength(std::string_view name) = 0;
    // False where the user's files end and the machine's begin: on Linux,
    // drive Z: shows the whole machine, and only the user's home and own
    // temporary folder there are the user's to delete or replace in bulk.
    virtual bool isUsersOwn(std::string_view path) = 0;
};

// Whether a file, not a folder, is at the path. The empty path names the
// current folder: no file either.
inline bool fileExists(FileSystem& files, std::string_view path) {
    return !path.empty() && files.exists(path) && !files.isFolder(path);
}

// Deletes a file that has been read, read-only or not, so that nothing reads
// it again. A delete refused once (the program that wrote the file, or a
// virus scanner, still holding it) is tried once more. Whether it is gone.
inline bool deleteReadFile(FileSystem& files, std::string_view path) {
    for (int attempt = 1; attempt <= 2; ++attempt) {
        bool deleted = false;
        ignoringFailure([&] {
            files.deleteFile(path, true);
            deleted = true;
        });
        if (deleted) {
            return true;
        }
    }
    return !files.exists(path);
}

// `stem` + `tail`, with as few characters cut from the end of the stem as it
// takes for the name and a temporary name made beside it to fit one entry of
// `files`; a tail too long on its own is cut too. Never cuts inside a
// character.
std::string fittedName(FileSystem& files, std::string_view stem, std::string_view tail);

} // namespace lexi
