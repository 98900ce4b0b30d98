#include "platform/posix/file_lock.h"

#include "platform/failure.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace lexi::posix {
namespace {

// Not inherited by the programs this process starts: a child must not keep
// the lock after its parent is gone.
constexpr int OpenFlags = O_RDWR | O_CREAT | O_CLOEXEC;

class FileLock final : public ProcessLock {
public:
    explicit FileLock(int file) : file_(file) {}
    ~FileLock() override { ::close(file_); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int file_;
};

} // namespace

std::unique_ptr<ProcessLock> lockFile(const std::string& hostPath, bool wait, const char* source) {
    const int file = ::open(hostPath.c_str(), OpenFlags, 0600);
    if (file < 0) {
        throw failureFromErrno(errno, hostPath, source);
    }
    int rc = 0;
    do {
        rc = ::flock(file, wait ? LOCK_EX : LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int error = errno;
        ::close(file);
        if (error == EWOULDBLOCK) {
            return nullptr;
        }
        throw failureFromErrno(error, hostPath, source);
    }
    return std::make_unique<FileLock>(file);
}

} // namespace lexi::posix
