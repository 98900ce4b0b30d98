#include "platform/win32/win32_failure.h"

#include <windows.h>

namespace lexi::win32 {

Failure failureFromError(unsigned long error, std::string source) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return Failure(failure::FileNotFound, std::move(source));
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
        return Failure(failure::PathNotFound, std::move(source));
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return Failure(failure::PermissionDenied, std::move(source));
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return Failure(failure::FileAlreadyExists, std::move(source));
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Failure(failure::DiskFull, std::move(source));
    default:
        return Failure(failure::PathFileAccessError, std::move(source));
    }
}

Failure lastFailure(std::string source) {
    return failureFromError(GetLastError(), std::move(source));
}

bool folderOfExists(const std::wstring& path) {
    wchar_t full[MAX_PATH * 4];
    wchar_t* name = nullptr;
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 4, full, &name);
    if (length == 0 || length >= MAX_PATH * 4 || !name) {
        return true;
    }
    *name = L'\0';
    return GetFileAttributesW(full) != INVALID_FILE_ATTRIBUTES;
}

} // namespace lexi::win32
