#pragma once

#include "platform/filesystem.h"

#include <map>
#include <string>
#include <utility>

namespace lexi::fake {

// A file system in memory for tests, with the rules and failure numbers of
// the Linux one: workstation path texts, drive letters, components matched
// without regard to letter case, names of at most 255 bytes (75), read-only
// files, wildcard listing, a temporary and a current folder. A file that is
// read-only cannot be written or appended to (70), as for any user but root
// on Linux. Every path is the user's own but on the machine's drive.
//
// Tests put files in and read them back through the FileSystem calls or the
// helpers below; FailingFileSystem makes one of its changes fail.
class MemoryFileSystem final : public FileSystem {
public:
    // The drives ("CD"), each empty but for the temporary folder C:\Temp on
    // the first; the current folder is the root of the first drive.
    explicit MemoryFileSystem(std::string_view driveLetters = "C");

    bool exists(std::string_view path) override;
    bool isFolder(std::string_view path) override;
    std::int64_t fileSize(std::string_view path) override;
    std::string fileStamp(std::string_view path) override;
    int attributes(std::string_view path) override;
    void setAttributes(std::string_view path, int attributes) override;
    void copyFile(std::string_view from, std::string_view to, bool overwrite) override;
    void moveFile(std::string_view from, std::string_view to) override;
    void replaceFile(std::string_view from, std::string_view to) override;
    void deleteFile(std::string_view path, bool force) override;
    void createFolder(std::string_view path) override;
    void removeFolder(std::string_view path, bool recursive) override;
    std::vector<std::string> list(std::string_view pattern) override;
    std::string tempFolder() override { return temp_; }
    std::string currentFolder() override { return current_; }
    void changeFolder(std::string_view path) override;
    std::string readFile(std::string_view path) override;
    void writeFile(std::string_view path, std::string_view bytes) override;
    void appendToFile(std::string_view path, std::string_view bytes,
                      std::int64_t emptyAbove) override;
    std::size_t nameLength(std::string_view name) override { return name.size(); }
    bool isUsersOwn(std::string_view path) override;

    // A folder with the folders above it, as a test sets the machine up.
    void makeFolders(std::string_view path);
    // A file with the folders above it, replacing one that is there.
    void putFile(std::string_view path, std::string_view bytes);
    // These folders are made when missing.
    void setCurrentFolder(std::string_view path);
    void setTempFolder(std::string_view path);
    // The drive `letter` shows the whole machine, as Z: does on Linux: there
    // only what lies below `ownFolders` is the user's own.
    void setMachineDrive(char letter, std::vector<std::string> ownFolders);

private:
    struct Entry {
        std::string name; // as created
        bool folder = false;
        bool readOnly = false;
        std::string bytes;
        // Numbers each writing of a file, as it stays with a moved one.
        int stamp = 0;
    };
    // A path resolved to the key of its entry, present or not.
    struct Place {
        std::string key;    // "C:\sager\brev.docx" in lower case; "C:" for a root
        std::string parent; // the key of the folder above; empty for a root
        std::string name;   // the last component as typed
    };

    // Throws PathNotFound for a drive the machine lacks and for UNC paths.
    Place locate(std::string_view path) const;
    Entry* find(const std::string& key);
    // The entry, or the runtime's failure for a missing one.
    Entry& existing(const Place& place);
    // Throws PathNotFound unless the folder above the place is there.
    void requireParentFolder(const Place& place);
    using Range =
        std::pair<std::map<std::string, Entry>::iterator, std::map<std::string, Entry>::iterator>;
    // The entries below a folder, at any depth, in the order of their keys.
    Range below(const std::string& key);
    // Moves an entry and all it holds to another key.
    void moveTree(const std::string& from, const Place& to);
    void eraseTree(const std::string& key);
    // The path text of an entry with the names as created ("C:\Sager").
    std::string pathText(const std::string& key);
    std::map<std::string, Entry> entries_;
    std::string current_;
    std::string temp_;
    char machineDrive_ = 0;
    std::vector<std::string> ownFolders_; // keys
    int stamps_ = 0;
};

} // namespace lexi::fake
