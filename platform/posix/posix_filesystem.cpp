#include "platform/posix/posix_filesystem.h"

#include "platform/failure.h"
#include "platform/posix/lexitray_home.h"
#include "platform/text.h"
#include "platform/windows_path.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace lexi::posix {
namespace {

const char* const Source = "FileSystem";

// The failure of a host call that set errno on `path`.
[[noreturn]] void failWith(int error, const std::string& path) {
    throw failureFromErrno(error, path, Source);
}

struct stat statOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        failWith(errno, path);
    }
    return info;
}

// Writes all of `bytes` to `fd`; false on failure.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

class FileDescriptor {
public:
    FileDescriptor(const std::string& path, int flags) : fd_(::open(path.c_str(), flags, 0644)) {
        if (fd_ < 0) {
            failWith(errno, path);
        }
    }
    ~FileDescriptor() { ::close(fd_); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

PosixFileSystem::PosixFileSystem(DriveTable drives) : drives_(std::move(drives)) {}

std::string PosixFileSystem::host(std::string_view path) const {
    auto mapped = drives_.toHost(path);
    if (!mapped) {
        throw Failure(failure::PathNotFound, Source);
    }
    return std::move(*mapped);
}

bool PosixFileSystem::exists(std::string_view path) {
    const auto mapped = drives_.toHost(path);
    struct stat info {};
    return mapped && ::stat(mapped->c_str(), &info) == 0;
}

bool PosixFileSystem::isFolder(std::string_view path) {
    const auto mapped = drives_.toHost(path);
    struct stat info {};
    return mapped && ::stat(mapped->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::int64_t PosixFileSystem::fileSize(std::string_view path) {
    return statOf(host(path)).st_size;
}

// A file renamed into place is another inode; one written in place has
// another modification time or size.
std::string PosixFileSystem::fileStamp(std::string_view path) {
    const auto mapped = drives_.toHost(path);
    struct stat info {};
    if (!mapped || ::stat(mapped->c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
           std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + ":" +
           std::to_string(info.st_size);
}

int PosixFileSystem::attributes(std::string_view path) {
    const std::string mapped = host(path);
    const struct stat info = statOf(mapped);
    int result = S_ISDIR(info.st_mode) ? attribute::Directory : attribute::Archive;
    if ((info.st_mode & S_IWUSR) == 0) {
        result |= attribute::ReadOnly;
    }
    if (fs::path(mapped).filename().string().starts_with('.')) {
        result |= attribute::Hidden;
    }
    return result;
}

void PosixFileSystem::setAttributes(std::string_view path, int attributes) {
    const std::string mapped = host(path);
    const struct stat info = statOf(mapped);
    mode_t mode = info.st_mode & 07777;
    mode = (attributes & attribute::ReadOnly) ? (mode & ~mode_t{0222}) : (mode | S_IWUSR);
    if (::chmod(mapped.c_str(), mode) != 0) {
        failWith(errno, mapped);
    }
}

void PosixFileSystem::copyFile(std::string_view from, std::string_view to, bool overwrite) {
    const std::string source = host(from);
    const std::string target = host(to);
    statOf(source);
    if (isFolder(to)) {
        throw Failure(failure::PathFileAccessError, Source);
    }
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (!overwrite) {
            throw Failure(failure::FileAlreadyExists, Source);
        }
        if ((existing.st_mode & S_IWUSR) == 0) {
            throw Failure(failure::PermissionDenied, Source);
        }
    }
    std::error_code error;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    if (error) {
        failWith(error.value(), target);
    }
}

void PosixFileSystem::moveFile(std::string_view from, std::string_view to) {
    const std::string source = host(from);
    const std::string target = host(to);
    statOf(source);
    if (exists(to)) {
        throw Failure(failure::FileAlreadyExists, Source);
    }
    if (::rename(source.c_str(), target.c_str()) != 0) {
        failWith(errno, target);
    }
}

void PosixFileSystem::replaceFile(std::string_view from, std::string_view to) {
    const std::string source = host(from);
    const std::string target = host(to);
    statOf(source);
    if (::rename(source.c_str(), target.c_str()) != 0) {
        failWith(errno, target);
    }
}

void PosixFileSystem::deleteFile(std::string_view path, bool force) {
    const std::string mapped = host(path);
    const struct stat info = statOf(mapped);
    if (S_ISDIR(info.st_mode)) {
        throw Failure(failure::FileNotFound, Source);
    }
    if (!force && (info.st_mode & S_IWUSR) == 0) {
        throw Failure(failure::PermissionDenied, Source);
    }
    if (::unlink(mapped.c_str()) != 0) {
        failWith(errno, mapped);
    }
}

void PosixFileSystem::createFolder(std::string_view path) {
    const std::string mapped = host(path);
    if (::mkdir(mapped.c_str(), 0755) != 0) {
        if (errno == EEXIST) {
            throw Failure(failure::PathFileAccessError, Source);
        }
        failWith(errno, mapped);
    }
}

void PosixFileSystem::removeFolder(std::string_view path, bool recursive) {
    const std::string mapped = host(path);
    if (!S_ISDIR(statOf(mapped).st_mode)) {
        throw Failure(failure::PathNotFound, Source);
    }
    // A drive's root stays, as on Windows: removing Z:\ would empty the host.
    if (drives_.toWindows(mapped).ends_with(":\\")) {
        throw Failure(failure::PathFileAccessError, Source);
    }
    std::error_code error;
    if (recursive) {
        fs::remove_all(mapped, error);
    } else {
        fs::remove(mapped, error);
    }
    if (error == std::errc::directory_not_empty) {
        throw Failure(failure::PathFileAccessError, Source);
    }
    if (error) {
        failWith(error.value(), mapped);
    }
}

std::vector<std::string> PosixFileSystem::list(std::string_view pattern) {
    const std::string folder(folderPart(pattern).empty() ? "." : folderPart(pattern));
    const std::string_view wildcard = fileNamePart(pattern);
    std::vector<std::string> names;
    const auto mapped = drives_.toHost(folder);
    std::error_code error;
    if (!mapped || !fs::is_directory(*mapped, error)) {
        return names;
    }
    for (const auto& entry : fs::directory_iterator(*mapped, error)) {
        std::string name = entry.path().filename().string();
        if (matchesWildcard(name, wildcard.empty() ? "*" : wildcard)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return text::toLower(a) < text::toLower(b);
    });
    return names;
}

namespace {

// A folder of this user's alone, created 0700 when missing: a real folder
// (not a link) owned by the user, closed to everybody else.
bool ownPrivateFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()) {
        return false;
    }
    return (info.st_mode & 077) == 0 || ::chmod(path.c_str(), 0700) == 0;
}

// The user's own temporary folder, as Windows gives each user one: TMPDIR
// when set, else the runtime folder of the session, else a folder of the
// user's alone in /tmp, else one in the program's home. A folder is taken
// only when the program's folder in it, "lexitray", where each mail request
// makes its work folder, is the user's alone or can be made so: in a folder
// every user shares (TMPDIR=/tmp), another user's "lexitray", or a link put
// there, would refuse the request or hand the documents being attached to
// someone else.
std::string hostTempFolder() {
    const auto ours = [](const std::string& folder) {
        return ownPrivateFolder(folder + "/lexitray");
    };
    for (const char* name : {"TMPDIR", "XDG_RUNTIME_DIR"}) {
        const char* value = std::getenv(name);
        if (value && *value && ours(value)) {
            return value;
        }
    }
    const std::string own = "/tmp/lexitray-" + std::to_string(::getuid());
    if (ownPrivateFolder(own) && ours(own)) {
        return own;
    }
    const std::string home = lexitrayHome();
    std::error_code ignored;
    fs::create_directories(home, ignored);
    ownPrivateFolder(home + "/tmp");
    ours(home + "/tmp");
    return home + "/tmp";
}

} // namespace

std::string PosixFileSystem::tempFolder() {
    std::string folder = hostTempFolder();
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return drives_.toWindows(folder);
}

std::string PosixFileSystem::currentFolder() {
    return drives_.currentFolder();
}

void PosixFileSystem::changeFolder(std::string_view path) {
    const std::string mapped = host(path);
    struct stat info {};
    if (::stat(mapped.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        throw Failure(failure::PathNotFound, Source);
    }
    drives_.setCurrentFolder(drives_.toWindows(mapped));
}

bool PosixFileSystem::isUsersOwn(std::string_view path) {
    const char* home = std::getenv("HOME");
    return drives_.isUsersOwn(path, {home ? home : "", hostTempFolder()});
}

std::string PosixFileSystem::readFile(std::string_view path) {
    const std::string mapped = host(path);
    FileDescriptor file(mapped, O_RDONLY | O_CLOEXEC);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            failWith(errno, mapped);
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

void PosixFileSystem::writeFile(std::string_view path, std::string_view bytes) {
    const std::string mapped = host(path);
    FileDescriptor file(mapped, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC);
    if (!writeAll(file.get(), bytes)) {
        failWith(errno, mapped);
    }
}

void PosixFileSystem::appendToFile(std::string_view path, std::string_view bytes,
                                   std::int64_t emptyAbove) {
    const std::string mapped = host(path);
    FileDescriptor file(mapped, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC);
    // Writers of one file take turns, so that emptying an overgrown file and
    // appending to it is one step for every process.
    while (::flock(file.get(), LOCK_EX) != 0 && errno == EINTR) {
    }
    struct stat info {};
    if (emptyAbove >= 0 && ::fstat(file.get(), &info) == 0 && info.st_size > emptyAbove) {
        if (::ftruncate(file.get(), 0) != 0) {
            failWith(errno, mapped);
        }
    }
    if (!writeAll(file.get(), bytes)) {
        failWith(errno, mapped);
    }
}

} // namespace lexi::posix
