#include "platform/posix/mailstore/file_in_place.h"

#include "platform/failure.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace lexi::mailstore {
namespace {

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno != EINTR) {
            return false;
        }
        bytes.remove_prefix(written < 0 ? 0 : static_cast<std::size_t>(written));
    }
    return ::fsync(fd) == 0;
}

} // namespace

void writeFileInPlace(const std::string& hostPath, std::string_view bytes) {
    const std::filesystem::path target(hostPath);
    // Hidden, and unique to this write: a name no other writer takes.
    const std::string name = std::string(".")
                                 .append(target.filename().string())
                                 .append(".")
                                 .append(newEntryId().substr(36))
                                 .append(".tmp");
    const std::string temporary = (target.parent_path() / name).string();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        throw failureFromErrno(errno, hostPath, "msgfile");
    }
    bool done = writeAll(fd, bytes);
    int error = errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && ::rename(temporary.c_str(), hostPath.c_str()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(temporary.c_str());
        throw failureFromErrno(error, hostPath, "msgfile");
    }
}

} // namespace lexi::mailstore
