#pragma once

#include "platform/filesystem.h"

namespace lexi::win32 {

// The file system of Windows, on its own paths: drive letters, UNC paths and
// letter case are Windows' business. The contract's failures that Windows
// answers with other codes (a folder where a file is meant, an existing
// target, a read-only file, a drive's root) are told apart before Windows is
// asked.
class Win32FileSystem final : public FileSystem {
public:
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
    // FindFirstFileW's matches whose long name matches the pattern: a name
    // found only through its generated short name ("c.docx" as "C~1.DOC" for
    // "*.doc") is left out, as it depends on the volume's settings.
    std::vector<std::string> list(std::string_view pattern) override;
    std::string tempFolder() override;
    std::string currentFolder() override;
    void changeFolder(std::string_view path) override;
    std::string readFile(std::string_view path) override;
    void writeFile(std::string_view path, std::string_view bytes) override;
    // Appenders take turns through a lock on a byte far beyond any file's
    // end, which keeps no reader out.
    void appendToFile(std::string_view path, std::string_view bytes,
                      std::int64_t emptyAbove) override;
    // UTF-16 code units, which Windows limits names in.
    std::size_t nameLength(std::string_view name) override;
    // Every drive and share is the user's to work in: Windows itself keeps
    // the user from what is not.
    bool isUsersOwn(std::string_view path) override;
};

} // namespace lexi::win32
