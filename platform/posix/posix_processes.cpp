#include "platform/posix/posix_processes.h"

#include "platform/failure.h"
#include "platform/posix/argument_vector.h"
#include "platform/posix/file_lock.h"
#include "platform/posix/lexitray_home.h"
#include "platform/text.h"
#include "platform/windows_command_line.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace lexi::posix {
namespace {

const char* const Source = "Processes";

std::string readProcFile(long pid, const char* name) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The LEXITRAY_HOME a process runs with, as this process would resolve it.
std::string homeOf(long pid) {
    const std::string environment = readProcFile(pid, "environ");
    std::string explicitHome;
    std::string dataHome;
    std::string userHome;
    for (std::size_t start = 0; start < environment.size();) {
        std::size_t end = environment.find('\0', start);
        if (end == std::string::npos) {
            end = environment.size();
        }
        const std::string_view entry(environment.data() + start, end - start);
        const auto take = [&](std::string_view name, std::string& into) {
            if (entry.starts_with(name) && entry.size() > name.size() &&
                entry[name.size()] == '=') {
                into = entry.substr(name.size() + 1);
            }
        };
        take("LEXITRAY_HOME", explicitHome);
        take("XDG_DATA_HOME", dataHome);
        take("HOME", userHome);
        start = end + 1;
    }
    return resolveLexitrayHome(explicitHome, dataHome, userHome);
}

// "lexitray.exe" names the program "lexitray".
std::string_view programName(std::string_view imageName) {
    if (imageName.size() > 4 &&
        text::equalsIgnoreCase(imageName.substr(imageName.size() - 4), ".exe")) {
        imageName.remove_suffix(4);
    }
    return imageName;
}

// A child of this process. One that has not ended when it is let go is
// reaped by a thread of its own when it does, so no ended child lingers.
class ChildProcess final : public StartedProcess {
public:
    explicit ChildProcess(pid_t id) : id_(id) {}
    ~ChildProcess() override {
        if (!ended_) {
            std::thread([id = id_] { ::waitpid(id, nullptr, 0); }).detach();
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool waitForExit(std::chrono::milliseconds limit) override {
        constexpr auto PollInterval = std::chrono::milliseconds(20);
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!ended_) {
            const pid_t done = ::waitpid(id_, nullptr, WNOHANG);
            ended_ = done == id_ || (done < 0 && errno != EINTR);
            if (ended_ || std::chrono::steady_clock::now() >= deadline) {
                break;
            }
            std::this_thread::sleep_for(PollInterval);
        }
        return ended_;
    }

private:
    pid_t id_;
    bool ended_ = false;
};

} // namespace

PosixProcesses::PosixProcesses(const DriveTable& drives, std::string home)
    : drives_(drives), home_(std::move(home)) {}

std::string PosixProcesses::logonName() {
    if (!logonName_.empty()) {
        return logonName_;
    }
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_name) {
        logonName_ = user->pw_name;
        return logonName_;
    }
    throw Failure(failure::ApplicationDefined, "The logon name cannot be read", Source);
}

long PosixProcesses::currentProcessId() {
    return static_cast<long>(::getpid());
}

std::vector<ProcessInfo> PosixProcesses::processesByImageName(std::string_view imageName) {
    const std::string_view wanted = programName(imageName);
    std::vector<long> ids;
    if (DIR* proc = ::opendir("/proc")) {
        while (const dirent* entry = ::readdir(proc)) {
            char* end = nullptr;
            const long pid = std::strtol(entry->d_name, &end, 10);
            if (pid > 0 && *end == '\0') {
                ids.push_back(pid);
            }
        }
        ::closedir(proc);
    }
    std::sort(ids.begin(), ids.end());

    std::vector<ProcessInfo> found;
    for (const long pid : ids) {
        struct stat owner {};
        const std::string folder = "/proc/" + std::to_string(pid);
        if (::stat(folder.c_str(), &owner) != 0 || owner.st_uid != ::getuid()) {
            continue;
        }
        std::string comm = readProcFile(pid, "comm");
        if (!comm.empty() && comm.back() == '\n') {
            comm.pop_back();
        }
        if (text::equalsIgnoreCase(comm, wanted) && homeOf(pid) == home_) {
            found.push_back({pid, std::string(imageName)});
        }
    }
    return found;
}

void PosixProcesses::terminate(long processId) {
    if (::kill(static_cast<pid_t>(processId), SIGKILL) != 0) {
        throw Failure(failure::PermissionDenied, Source);
    }
    // The process has ended, its files and locks let go, once it is gone or
    // a zombie ("Z" after the name in its stat line) waiting for its parent.
    constexpr auto PollInterval = std::chrono::milliseconds(5);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
        const std::string stat = readProcFile(processId, "stat");
        const std::size_t nameEnd = stat.rfind(") ");
        if (nameEnd == std::string::npos || stat.compare(nameEnd + 2, 1, "Z") == 0 ||
            std::chrono::steady_clock::now() >= deadline) {
            return;
        }
        std::this_thread::sleep_for(PollInterval);
    }
}

std::unique_ptr<StartedProcess> PosixProcesses::start(std::string_view commandLine, ShowMode) {
    std::vector<std::string> arguments = splitWindowsCommandLine(commandLine);
    if (arguments.empty() || arguments.front().empty()) {
        throw Failure(failure::FileNotFound, Source);
    }
    // A workstation path names the program through the drive table; a bare
    // name is looked up on the search path.
    const bool isPath = arguments.front().find_first_of(":\\/") != std::string::npos;
    if (isPath) {
        const auto host = drives_.toHost(arguments.front());
        if (!host) {
            throw Failure(failure::FileNotFound, Source);
        }
        arguments.front() = *host;
    }
    std::vector<char*> argv = argumentVector(arguments);
    pid_t child = 0;
    const int rc = isPath ? ::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ)
                          : ::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ);
    if (rc != 0) {
        throw failureFromErrno(rc, arguments.front(), Source);
    }
    return std::make_unique<ChildProcess>(child);
}

std::unique_ptr<ProcessLock> PosixProcesses::tryLock(std::string_view name) {
    return takeLock(name, false);
}

std::unique_ptr<ProcessLock> PosixProcesses::lock(std::string_view name) {
    return takeLock(name, true);
}

std::unique_ptr<ProcessLock> PosixProcesses::takeLock(std::string_view name, bool wait) {
    createPrivateFolder(home_);
    return lockFile(home_ + "/" + std::string(name) + ".lock", wait, Source);
}

} // namespace lexi::posix
