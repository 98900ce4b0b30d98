#pragma once

#include "platform/posix/temp_file.h"

#include <string>
#include <string_view>

namespace lexi::mailstore {

// Whether a file placed must be on the disk before it takes its name (an item
// of the store, a file filed in a case), or may reach it when the system
// writes it back (a copy of an item the store keeps).
enum class Sync { ToDisk, Later };

// A file opened for reading, closed with the object. Opening fails as the
// system's error on its host path.
class SourceFile {
public:
    explicit SourceFile(const std::string& hostPath);
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    int fd() const { return fd_; }
    std::size_t size() const { return size_; }
    // The whole file, read from its start.
    std::string contents() const;

private:
    std::string hostPath_;
    int fd_;
    std::size_t size_ = 0;
};

// A whole file or nothing at a host path: the bytes go to a temporary file
// beside it (posix::TempFile), which takes the target's name only when
// place() is called, so that a full disk or a killed process never leaves a
// cut-off file there. A file never placed is removed. Failures throw
// lexi::Failure from the system's error (a full disk is 61), with the
// temporary file removed.
class FileInPlace {
public:
    explicit FileInPlace(std::string hostPath);
    ~FileInPlace();
    FileInPlace(const FileInPlace&) = delete;
    FileInPlace& operator=(const FileInPlace&) = delete;

    void write(std::string_view bytes);
    // Appends the rest of the file, copied by the system without passing
    // through this process.
    void copyFrom(const SourceFile& source);
    // Starts writing what is written so far to the disk, so that place()
    // with Sync::ToDisk waits less for what the caller does in between.
    void startWriteBack();
    // The bytes written so far, as a file in memory, valid until place().
    std::string_view contents();
    void place(Sync sync);

private:
    // Removes the temporary file and throws the failure of a system call.
    [[noreturn]] void fail(int error);
    void unmap();

    posix::TempFile file_;
    std::size_t size_ = 0;
    void* mapped_ = nullptr;
};

// A whole file or nothing, on the disk before it takes its name.
void writeFileInPlace(const std::string& hostPath, std::string_view bytes);

} // namespace lexi::mailstore
