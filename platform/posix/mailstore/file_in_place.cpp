#include "platform/posix/mailstore/file_in_place.h"

#include "platform/failure.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexi::mailstore {
namespace {

constexpr char Source[] = "msgfile";

// Writes all bytes; false with errno set when the system refuses.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            return false;
        }
        bytes.remove_prefix(written < 0 ? 0 : static_cast<std::size_t>(written));
    }
    return true;
}

// Copies the rest of `from` to `to` through a buffer, for file systems that
// cannot copy between the two; the bytes copied, or -1 with errno set.
ssize_t copyThroughBuffer(int from, int to) {
    char buffer[1 << 16];
    ssize_t copied = 0;
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0) {
            return copied;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 || !writeAll(to, {buffer, static_cast<std::size_t>(got)})) {
            return -1;
        }
        copied += got;
    }
}

// Copies the rest of `from` to `to` inside the system; the bytes copied, or
// -1 with errno set.
ssize_t copyAll(int from, int to) {
    ssize_t copied = 0;
    for (;;) {
        const ssize_t got = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        if (got == 0) {
            return copied;
        }
        if (got > 0) {
            copied += got;
            continue;
        }
        if (errno == EINTR) {
            continue;
        }
        const bool unsupported =
            errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP;
        if (!unsupported || copied > 0) {
            return -1;
        }
        const ssize_t rest = copyThroughBuffer(from, to);
        return rest < 0 ? -1 : copied + rest;
    }
}

} // namespace

SourceFile::SourceFile(const std::string& hostPath)
    : hostPath_(hostPath), fd_(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat status {};
    if (fd_ < 0 || ::fstat(fd_, &status) != 0) {
        const int error = errno;
        if (fd_ >= 0) {
            ::close(fd_);
        }
        throw failureFromErrno(error, hostPath, Source);
    }
    size_ = static_cast<std::size_t>(status.st_size);
}

SourceFile::~SourceFile() {
    ::close(fd_);
}

std::string SourceFile::contents() const {
    std::string bytes(size_, '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got =
            ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            // A file cut short while it was read is as damaged as one that
            // cannot be read.
            throw failureFromErrno(got < 0 ? errno : EIO, hostPath_, Source);
        }
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

FileInPlace::FileInPlace(std::string hostPath) : file_(hostPath, Source) {}

FileInPlace::~FileInPlace() {
    unmap();
    file_.discard();
}

void FileInPlace::fail(int error) {
    unmap();
    file_.discard();
    throw failureFromErrno(error, file_.target(), Source);
}

void FileInPlace::unmap() {
    if (mapped_ != nullptr) {
        ::munmap(mapped_, size_);
        mapped_ = nullptr;
    }
}

void FileInPlace::write(std::string_view bytes) {
    unmap();
    if (!writeAll(file_.fd(), bytes)) {
        fail(errno);
    }
    size_ += bytes.size();
}

void FileInPlace::copyFrom(const SourceFile& source) {
    unmap();
    const ssize_t copied = copyAll(source.fd(), file_.fd());
    if (copied < 0) {
        fail(errno);
    }
    size_ += static_cast<std::size_t>(copied);
}

void FileInPlace::startWriteBack() {
    // Only a hint: the system may decline, and place() waits all the same.
    ::sync_file_range(file_.fd(), 0, 0, SYNC_FILE_RANGE_WRITE);
}

std::string_view FileInPlace::contents() {
    if (size_ == 0) {
        return {};
    }
    if (mapped_ == nullptr) {
        void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_SHARED, file_.fd(), 0);
        if (mapped == MAP_FAILED) {
            fail(errno);
        }
        mapped_ = mapped;
    }
    return {static_cast<const char*>(mapped_), size_};
}

void FileInPlace::place(Sync sync) {
    unmap();
    if (sync == Sync::ToDisk && ::fdatasync(file_.fd()) != 0) {
        fail(errno);
    }
    file_.keep();
}

void writeFileInPlace(const std::string& hostPath, std::string_view bytes) {
    FileInPlace file(hostPath);
    file.write(bytes);
    file.place(Sync::ToDisk);
}

} // namespace lexi::mailstore
