#pragma once

#include "platform/filesystem.h"
#include "platform/posix/drive_table.h"

namespace lexi::posix {

// The file system of the host, reached through the drive table.
class PosixFileSystem final : public FileSystem {
public:
    explicit PosixFileSystem(DriveTable drives);

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
    std::string tempFolder() override;
    std::string currentFolder() override;
    void changeFolder(std::string_view path) override;
    std::string readFile(std::string_view path) override;
    void writeFile(std::string_view path, std::string_view bytes) override;
    void appendToFile(std::string_view path, std::string_view bytes,
                      std::int64_t emptyAbove) override;
    std::size_t nameLength(std::string_view name) override { return name.size(); }
    bool isUsersOwn(std::string_view path) override;

    const DriveTable& drives() const { return drives_; }

private:
    // The host path; throws Failure 76 for a path no drive maps.
    std::string host(std::string_view path) const;

    DriveTable drives_;
};

} // namespace lexi::posix
