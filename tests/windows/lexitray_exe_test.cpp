// The run logs every build's program writes alike, by lexitray.exe under
// Wine: drive C: of the build's prefix, ".docx" opened by a program that ends
// at once.

#include "platform/win32/wide_text.h"
#include "tests/e2e/run_log_scenario.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <windows.h>

namespace lexi::testing {
namespace {

namespace fs = std::filesystem;

// A Windows path for a path of the build machine, through drive Z:.
std::wstring onDriveZ(const std::string& hostPath) {
    std::wstring path = L"Z:" + win32::toWide(hostPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::string readWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A string value of HKEY_CLASSES_ROOT.
void setClassValue(const std::wstring& key, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

class WineWorkstation {
public:
    WineWorkstation() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        work_ = fs::path(temp) / ("lexitray-exe-test-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(work_);
        std::ofstream(L"C:\\brev.docx") << "brev";
        fs::remove(logFile());
        setClassValue(L".docx", L"Lexitray.TestDocument");
        setClassValue(L"Lexitray.TestDocument\\shell\\open\\command",
                      L"\"" + onDriveZ(EXITS_AT_ONCE) + L"\" \"%1\"");
        SetEnvironmentVariableW(L"LEXITRAY_UI", L"script");
        SetEnvironmentVariableW(L"LEXITRAY_UI_SCRIPT", (work_ / "script").c_str());
        SetEnvironmentVariableW(L"LEXITRAY_UI_TRANSCRIPT", (work_ / "transcript").c_str());
    }
    ~WineWorkstation() {
        if (background_) {
            TerminateProcess(background_, 1);
            CloseHandle(background_);
        }
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Lexitray.TestDocument");
        RegDeleteKeyW(HKEY_CLASSES_ROOT, L"Lexitray.TestDocument");
        RegDeleteKeyW(HKEY_CLASSES_ROOT, L".docx");
        fs::remove_all(work_);
    }
    WineWorkstation(const WineWorkstation&) = delete;
    WineWorkstation& operator=(const WineWorkstation&) = delete;

    void run(const std::vector<std::string>& arguments, const std::string& script) {
        std::ofstream(work_ / "script", std::ios::binary) << script;
        const HANDLE process = launch(arguments);
        WaitForSingleObject(process, 60'000);
        CloseHandle(process);
    }
    void start(const std::vector<std::string>& arguments) {
        std::ofstream(work_ / "script", std::ios::binary).flush();
        background_ = launch(arguments);
    }
    bool backgroundEnded() { return WaitForSingleObject(background_, 20'000) == WAIT_OBJECT_0; }
    std::string peekLog() const { return readWhole(logFile()); }
    std::string takeLog() {
        std::string bytes = peekLog();
        fs::remove(logFile());
        return bytes;
    }
    Lines takeTranscript() {
        Lines events = transcriptEvents(work_ / "transcript");
        fs::remove(work_ / "transcript");
        return events;
    }

private:
    // The program with the arguments as one text, as the case-management
    // system starts it.
    static HANDLE launch(const std::vector<std::string>& arguments) {
        std::wstring commandLine = L"\"" + onDriveZ(LEXITRAY_PROGRAM) + L"\"";
        for (const std::string& argument : arguments) {
            commandLine += L" " + win32::toWide(argument);
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            ADD_FAILURE() << "lexitray.exe cannot be started: " << GetLastError();
            return nullptr;
        }
        CloseHandle(process.hThread);
        return process.hProcess;
    }

    static fs::path logFile() {
        wchar_t user[257];
        DWORD length = 257;
        GetUserNameW(user, &length);
        return fs::path(L"C:\\") / (L"Lexitray_" + std::wstring(user) + L".log");
    }

    fs::path work_;
    HANDLE background_ = nullptr;
};

TEST(RunLog, EachRequestWritesTheLinesOfEveryWorkstation) {
    WineWorkstation workstation;
    expectTheSameRunLogs(workstation);
}

} // namespace
} // namespace lexi::testing
