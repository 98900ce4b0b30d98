// The file system contract on Windows paths: drives M: and N:, which the
// test set-up gives the Wine prefix (test_drives.sh), stand in for the
// contract's C: and D:.

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_filesystem.h"
#include "tests/platform/filesystem_contract.h"

#include <filesystem>
#include <stdexcept>
#include <windows.h>

namespace lexi::filesystem_contract {
namespace {

namespace fs = std::filesystem;

// The drives emptied, the temporary folder M:\Temp; the current folder and
// TMP are put back afterwards.
struct Win32Machine {
    Win32Machine() {
        for (const wchar_t* drive : {L"M:\\", L"N:\\"}) {
            std::error_code error;
            if (!fs::is_directory(drive, error)) {
                throw std::runtime_error("drives M: and N: are missing: see test_drives.sh");
            }
            // A drive's root lists no "." and "..": an empty one cannot be
            // iterated by the standard library here.
            WIN32_FIND_DATAW found;
            const HANDLE search = FindFirstFileW((std::wstring(drive) + L"*").c_str(), &found);
            for (BOOL more = search != INVALID_HANDLE_VALUE; more;
                 more = FindNextFileW(search, &found)) {
                const std::wstring entry = std::wstring(drive) + found.cFileName;
                SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
                fs::remove_all(entry);
            }
            FindClose(search);
        }
        fs::create_directory(L"M:\\Temp");
        SetEnvironmentVariableW(L"TMP", L"M:\\Temp");
    }
    ~Win32Machine() {
        SetEnvironmentVariableW(L"TMP", previousTemp.empty() ? nullptr : previousTemp.c_str());
        SetCurrentDirectoryW(previousFolder.c_str());
    }

    // C: and D: of the contract, in either letter case.
    std::string path(Path text) const {
        if (text.size() >= 2 && text[1] == ':') {
            const char drive = static_cast<char>(text[0] & ~0x20);
            if (drive == 'C' || drive == 'D') {
                return std::string(1, drive == 'C' ? 'M' : 'N') + text.substr(1);
            }
        }
        return text;
    }
    void setCurrentFolder(Path path) { SetCurrentDirectoryW(win32::toWide(path).c_str()); }

    std::wstring previousTemp = variable(L"TMP");
    std::wstring previousFolder = fs::current_path().wstring();
    win32::Win32FileSystem files;

private:
    static std::wstring variable(const wchar_t* name) {
        wchar_t value[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
        return length < MAX_PATH ? std::wstring(value, length) : std::wstring();
    }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32Machine);

} // namespace lexi::filesystem_contract
