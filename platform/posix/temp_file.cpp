#include "platform/posix/temp_file.h"

#include "platform/failure.h"

#include <cassert>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace lexi::posix {
namespace {

// Links followed before a target counts as a loop, as the system counts them.
constexpr int MaxLinks = 40;

// The path a write to `hostPath` reaches: its symbolic links followed, each
// relative to the folder of the link that names it. A link to nothing yet
// reaches the file it names.
std::string followLinks(std::string hostPath, const char* source) {
    for (int links = 0; links <= MaxLinks; ++links) {
        struct stat status {};
        if (::lstat(hostPath.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return hostPath;
        }
        std::error_code error;
        const std::filesystem::path named = std::filesystem::read_symlink(hostPath, error);
        if (error) {
            throw failureFromErrno(error.value(), hostPath, source);
        }
        hostPath = (std::filesystem::path(hostPath).parent_path() / named).string();
    }
    throw failureFromErrno(ELOOP, hostPath, source);
}

// Refuses a target that is there and is no ordinary file.
void checkReplaceable(const std::string& hostTarget, const char* source) {
    struct stat status {};
    if (::lstat(hostTarget.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        throw Failure(failure::PathFileAccessError, source);
    }
}

// A hidden name in `folder` that no other writer has chosen, of a fixed length.
std::string candidateName(const std::filesystem::path& folder) {
    std::random_device random;
    const unsigned long long number = (static_cast<unsigned long long>(random()) << 32) | random();
    char name[32];
    std::snprintf(name, sizeof name, ".lexitray-%016llx.tmp", number);
    return (folder / name).string();
}

} // namespace

TempFile::TempFile(const std::string& hostTarget, const char* source)
    : target_(followLinks(hostTarget, source)), source_(source),
      failuresPassing_(std::uncaught_exceptions()) {
    checkReplaceable(target_, source_);
    const std::filesystem::path folder = std::filesystem::path(target_).parent_path();
    for (;;) {
        path_ = candidateName(folder);
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            return;
        }
        if (errno != EEXIST) {
            throw failureFromErrno(errno, target_, source_);
        }
    }
}

TempFile::~TempFile() {
    if (!done_) {
        const bool failurePassing = std::uncaught_exceptions() > failuresPassing_;
        assert(failurePassing && "a TempFile was dropped without keep() or discard()");
        (void)failurePassing;
        discard();
    }
}

void TempFile::keep() {
    assert(!done_);
    try {
        checkReplaceable(target_, source_);
        const int closed = ::close(fd_);
        fd_ = -1;
        if (closed != 0 || ::rename(path_.c_str(), target_.c_str()) != 0) {
            throw failureFromErrno(errno, target_, source_);
        }
    } catch (...) {
        discard();
        throw;
    }
    done_ = true;
}

void TempFile::discard() noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!done_) {
        ::unlink(path_.c_str());
    }
    done_ = true;
}

} // namespace lexi::posix
