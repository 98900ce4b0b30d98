#include "platform/posix/libreoffice/cold_office.h"

#include "platform/failure.h"
#include "platform/posix/argument_vector.h"
#include "platform/posix/file_lock.h"
#include "platform/posix/work_folder.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;

constexpr const char* Source = "ColdOffice";

// A file URL of a host path, as LibreOffice takes its user installation:
// every byte outside the unreserved set and "/" percent-encoded.
std::string fileUrl(const std::string& hostPath) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : hostPath) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += Hex[c >> 4];
            url += Hex[c & 15];
        }
    }
    return url;
}

std::string readWhole(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.pop_back();
    }
    return text;
}

// Starts the program in a process group of its own, its output to `output`.
pid_t start(const std::vector<std::string>& arguments, const fs::path& output) {
    std::vector<char*> argv = argumentVector(arguments);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = 0;
    const int rc = ::posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (rc == ENOENT) {
        throw Failure(failure::CannotCreateObject,
                      "LibreOffice is not installed: " + arguments[0] + " is not on PATH", Source);
    }
    if (rc != 0) {
        throw Failure(failure::CannotCreateObject,
                      "LibreOffice cannot be started: " + std::string(std::strerror(rc)), Source);
    }
    return child;
}

// Waits for the child until the limit; then ends its whole process group.
// The exit status, or nothing when the limit ran out.
std::optional<int> waitFor(pid_t child, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child || (done < 0 && errno != EINTR)) {
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(-child, SIGKILL);
            ::waitpid(child, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // What LibreOffice left running in its group ends with it.
    ::kill(-child, SIGKILL);
    return status;
}

} // namespace

ColdOffice::ColdOffice(std::string profileFolder, std::chrono::milliseconds timeLimit,
                       std::string program)
    : profileFolder_(std::move(profileFolder)), timeLimit_(timeLimit),
      program_(std::move(program)) {}

void ColdOffice::convertToPdf(const std::string& hostSource, const std::string& hostPdf) {
    convertTo(hostSource, hostPdf, "pdf");
}

void ColdOffice::convertTo(const std::string& hostSource, const std::string& hostTarget,
                           const std::string& extension) {
    std::error_code error;
    const fs::path source = fs::absolute(hostSource, error);
    if (!fs::is_regular_file(source, error)) {
        throw Failure(failure::FileNotFound, "The document is not there: " + hostSource, Source);
    }
    if (::access(source.c_str(), R_OK) != 0) {
        throw Failure(failure::PermissionDenied, "The document cannot be read: " + hostSource,
                      Source);
    }
    fs::create_directories(fs::path(profileFolder_).parent_path(), error);
    const auto turn = lockFile(profileFolder_ + ".lock", true, Source);
    // The result is written beside its place, so the rename stays on one file
    // system.
    const WorkFolder work(fs::absolute(hostTarget, error).parent_path(), Source);
    const fs::path output = work.path() / "soffice.out";
    const pid_t child = start({program_, "-env:UserInstallation=" + fileUrl(profileFolder_),
                               "--headless", "--norestore", "--convert-to", extension, "--outdir",
                               work.path().string(), source.string()},
                              output);
    const std::optional<int> status = waitFor(child, timeLimit_);
    if (!status) {
        throw Failure(failure::ApplicationDefined,
                      "LibreOffice did not finish converting " + source.filename().string() +
                          " within " + std::to_string(timeLimit_.count() / 1000) + " seconds",
                      Source);
    }
    // LibreOffice answers 0 also when it could not load the document: the
    // file it wrote, named after the document, is the proof.
    const fs::path converted = work.path() / source.filename().replace_extension("." + extension);
    if (!fs::is_regular_file(converted, error)) {
        std::string reason = readWhole(output);
        if (reason.empty()) {
            reason = WIFEXITED(*status) ? "exit code " + std::to_string(WEXITSTATUS(*status))
                                        : "ended by signal " + std::to_string(WTERMSIG(*status));
        }
        throw Failure(failure::ApplicationDefined,
                      "LibreOffice could not convert " + source.filename().string() + ": " + reason,
                      Source);
    }
    fs::rename(converted, hostTarget, error);
    if (error) {
        throw failureFromErrno(error.value(), hostTarget, Source);
    }
}

} // namespace lexi::posix
