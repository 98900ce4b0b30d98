#pragma once

#include <string>

namespace lexi::posix {

// A file written whole beside its target and then put in its place, after
// LLVM's sys::fs::TempFile: the new file is made empty under a hidden name of
// its own in the target's folder; the caller writes it, through fd() or by
// path(), and then keeps it, which renames it over the target in one step, or
// discards it. A reader of the target finds the former file or the whole new
// one, never a part of it.
//
// Only an ordinary file is ever replaced: a target that exists as anything
// else (a folder, a device, a fifo, a socket) is refused when the object is
// made and again when it is kept. A symbolic link is followed: the file it
// names is the one replaced, the new file is made beside that file, and the
// link stays, so that a document kept elsewhere through a link is the one
// updated and a link cannot lead a write onto a device.
//
// The new file's name has a fixed length, whatever the target's: a target
// whose name fits the file system has a temporary name that fits too.
//
// Failures throw lexi::Failure with the given source; the new file is gone
// after a failure. Dropping the object without keep() or discard() is a
// fault of its caller, which a debug build stops at; the file is discarded
// then, as it is, quietly, when a failure passing through drops it.
class TempFile {
public:
    // Makes the new file beside `hostTarget`. Refuses (Path/File access
    // error, 75) a target that exists and is no ordinary file.
    TempFile(const std::string& hostTarget, const char* source);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // The new file's host path.
    const std::string& path() const { return path_; }
    // The file it replaces: the target, its links followed.
    const std::string& target() const { return target_; }
    // The new file, open for reading and writing until kept or discarded.
    int fd() const { return fd_; }

    // Closes the new file and renames it over the target.
    void keep();
    // Closes and removes the new file.
    void discard() noexcept;

private:
    std::string target_;
    std::string path_;
    const char* source_;
    int fd_ = -1;
    bool done_ = false;
    int failuresPassing_;
};

} // namespace lexi::posix
