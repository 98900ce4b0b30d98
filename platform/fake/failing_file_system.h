#pragma once

#include "platform/filesystem.h"

namespace lexi::fake {

// A file system that passes every call on to another one and makes one
// chosen change fail as a disk does, so that a test can fail each change of a
// whole request in turn and look at what is left (KeePassXC's failing
// device, SQLite's I/O error tests).
//
// Changes are the calls that write: setAttributes, copy, move, replace,
// delete, create and remove folders, write and append. A failing write or
// copy leaves what a full disk leaves, the first half of its bytes at the
// target, and fails with 61 (disk full); a failing append, which is one step,
// fails with 61 having added nothing; any other failing change changes
// nothing and fails with 70 (permission denied: on Windows, a file another
// program holds open).
class FailingFileSystem final : public FileSystem {
public:
    explicit FailingFileSystem(FileSystem& files) : files_(files) {}

    // The `nth` change from now on (1: the next) fails; 0 fails none.
    void failChange(int nth) { failAt_ = nth > 0 ? changes_ + nth : 0; }
    // The changes asked for so far, the failed one too: a request run once
    // tells over how many changes to loop failChange.
    int changes() const { return changes_; }

    bool exists(std::string_view path) override { return files_.exists(path); }
    bool isFolder(std::string_view path) override { return files_.isFolder(path); }
    std::int64_t fileSize(std::string_view path) override { return files_.fileSize(path); }
    std::string fileStamp(std::string_view path) override { return files_.fileStamp(path); }
    int attributes(std::string_view path) override { return files_.attributes(path); }
    void setAttributes(std::string_view path, int attributes) override;
    void copyFile(std::string_view from, std::string_view to, bool overwrite) override;
    void moveFile(std::string_view from, std::string_view to) override;
    void replaceFile(std::string_view from, std::string_view to) override;
    void deleteFile(std::string_view path, bool force) override;
    void createFolder(std::string_view path) override;
    void removeFolder(std::string_view path, bool recursive) override;
    std::vector<std::string> list(std::string_view pattern) override {
        return files_.list(pattern);
    }
    std::string tempFolder() override { return files_.tempFolder(); }
    std::string currentFolder() override { return files_.currentFolder(); }
    void changeFolder(std::string_view path) override { files_.changeFolder(path); }
    std::string readFile(std::string_view path) override { return files_.readFile(path); }
    void writeFile(std::string_view path, std::string_view bytes) override;
    void appendToFile(std::string_view path, std::string_view bytes,
                      std::int64_t emptyAbove) override;
    std::size_t nameLength(std::string_view name) override { return files_.nameLength(name); }
    bool isUsersOwn(std::string_view path) override { return files_.isUsersOwn(path); }

private:
    // Counts a change; true when it is the one to fail.
    bool failsNow();
    // Fails a change that writes `bytes` once half of them are there: `write`
    // puts them.
    template <typename Write> void failHalfWay(std::string_view bytes, Write write);

    FileSystem& files_;
    int changes_ = 0;
    int failAt_ = 0;
};

} // namespace lexi::fake
