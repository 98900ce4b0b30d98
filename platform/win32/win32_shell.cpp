#include "platform/win32/win32_shell.h"

#include "platform/win32/com_apartment.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_failure.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

namespace lexi::win32 {
namespace {

// ShellExecute's number for a failure that left none in hInstApp.
int numberOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return SE_ERR_FNF;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return SE_ERR_PNF;
    case ERROR_ACCESS_DENIED:
        return SE_ERR_ACCESSDENIED;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return SE_ERR_OOM;
    case ERROR_BAD_FORMAT:
        return ERROR_BAD_FORMAT;
    case ERROR_SHARING_VIOLATION:
        return SE_ERR_SHARE;
    case ERROR_DDE_FAIL:
        return SE_ERR_DDEFAIL;
    case ERROR_NO_ASSOCIATION:
        return SE_ERR_NOASSOC;
    case ERROR_DLL_NOT_FOUND:
        return SE_ERR_DLLNOTFOUND;
    default:
        return 0;
    }
}

// An empty text asks for the default (the default verb, no parameters).
const wchar_t* orNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

} // namespace

int Win32Shell::execute(std::string_view verb, std::string_view file, std::string_view parameters,
                        std::string_view workingFolder, ShowMode mode) {
    const std::wstring wideVerb = toWide(verb);
    const std::wstring wideFile = toWide(file);
    const std::wstring wideParameters = toWide(parameters);
    const std::wstring wideFolder = toWide(workingFolder);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // No message of the shell's own: the caller tells the user. The call
    // returns once the application is started, so the program may end then.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = orNull(wideVerb);
    info.lpFile = wideFile.c_str();
    info.lpParameters = orNull(wideParameters);
    info.lpDirectory = orNull(wideFolder);
    // The show modes are Windows' own numbers.
    info.nShow = static_cast<int>(mode);
    const ComApartment com;
    const bool started = ShellExecuteExW(&info);
    const auto answer = static_cast<int>(reinterpret_cast<INT_PTR>(info.hInstApp));
    if (started) {
        return answer;
    }
    const int failure = answer > 0 && answer <= 32 ? answer : numberOf(GetLastError());
    return failure == SE_ERR_FNF && !folderOfExists(wideFile) ? SE_ERR_PNF : failure;
}

} // namespace lexi::win32
