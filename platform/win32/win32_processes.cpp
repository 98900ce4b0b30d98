#include "platform/win32/win32_processes.h"

#include "platform/failure.h"
#include "platform/text.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_failure.h"

#include <algorithm>
#include <windows.h>
// After windows.h, whose types it uses.
#include <tlhelp32.h>

namespace lexi::win32 {
namespace {

const char* const Source = "Processes";

// A process this one started: its handle, closed when it goes.
class ChildProcess final : public StartedProcess {
public:
    explicit ChildProcess(HANDLE process) : process_(process) {}
    ~ChildProcess() override { CloseHandle(process_); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool waitForExit(std::chrono::milliseconds limit) override {
        return WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
    }

private:
    HANDLE process_;
};

// A named mutex this process owns until the lock goes.
class MutexLock final : public ProcessLock {
public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
    ~MutexLock() override {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

private:
    HANDLE mutex_;
};

} // namespace

std::string Win32Processes::logonName() {
    if (!logonName_.empty()) {
        return logonName_;
    }
    wchar_t name[257];
    DWORD length = 257;
    if (!GetUserNameW(name, &length) || length == 0) {
        throw Failure(failure::ApplicationDefined, "The logon name cannot be read", Source);
    }
    // The length counts the terminating zero.
    logonName_ = fromWide(std::wstring_view(name, length - 1));
    return logonName_;
}

long Win32Processes::currentProcessId() {
    return static_cast<long>(GetCurrentProcessId());
}

std::vector<ProcessInfo> Win32Processes::processesByImageName(std::string_view imageName) {
    std::vector<ProcessInfo> found;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return found;
    }
    DWORD ownSession = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &ownSession);
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        DWORD session = 0;
        const std::string name = fromWide(entry.szExeFile);
        if (text::equalsIgnoreCase(name, imageName) &&
            ProcessIdToSessionId(entry.th32ProcessID, &session) && session == ownSession) {
            found.push_back({static_cast<long>(entry.th32ProcessID), name});
        }
    }
    CloseHandle(snapshot);
    return found;
}

void Win32Processes::terminate(long processId) {
    const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(processId));
    const bool ended = process && TerminateProcess(process, 0);
    if (process) {
        CloseHandle(process);
    }
    if (!ended) {
        throw Failure(failure::PermissionDenied, Source);
    }
}

std::unique_ptr<StartedProcess> Win32Processes::start(std::string_view commandLine, ShowMode mode) {
    std::wstring line = toWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    // The show modes are Windows' own numbers.
    startup.wShowWindow = static_cast<WORD>(mode);
    PROCESS_INFORMATION process{};
    const DWORD flags = mode == ShowMode::Hidden ? CREATE_NO_WINDOW : 0;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &process)) {
        const DWORD error = GetLastError();
        throw error == ERROR_PATH_NOT_FOUND ? Failure(failure::FileNotFound, Source)
                                            : failureFromError(error, Source);
    }
    CloseHandle(process.hThread);
    return std::make_unique<ChildProcess>(process.hProcess);
}

std::unique_ptr<ProcessLock> Win32Processes::tryLock(std::string_view name) {
    return takeLock(name, 0);
}

std::unique_ptr<ProcessLock> Win32Processes::lock(std::string_view name) {
    return takeLock(name, INFINITE);
}

std::unique_ptr<ProcessLock> Win32Processes::takeLock(std::string_view name,
                                                      unsigned long waitMilliseconds) {
    // Backslashes would name a namespace.
    std::string mutexName = "Local\\Lexitray " + std::string(name);
    std::replace(mutexName.begin() + 6, mutexName.end(), '\\', '/');
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, toWide(mutexName).c_str());
    if (!mutex) {
        throw lastFailure(Source);
    }
    // An abandoned mutex is one whose holder ended without letting go.
    const DWORD waited = WaitForSingleObject(mutex, waitMilliseconds);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<MutexLock>(mutex);
}

} // namespace lexi::win32
