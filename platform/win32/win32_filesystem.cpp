#include "platform/win32/win32_filesystem.h"

#include "platform/text.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_failure.h"
#include "platform/windows_path.h"

#include <algorithm>
#include <windows.h>

namespace lexi::win32 {
namespace {

const char* const Source = "FileSystem";

constexpr DWORD Missing = INVALID_FILE_ATTRIBUTES;
constexpr DWORD ReportedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY |
                                     FILE_ATTRIBUTE_ARCHIVE;

[[noreturn]] void fail(int number) {
    throw Failure(number, Source);
}

[[noreturn]] void failWithLastError() {
    throw lastFailure(Source);
}

// The failure of a call on `path` that failed just now: a missing file is 76
// when its folder is missing too; a name longer than any file system holds
// is 75, however Windows names that.
[[noreturn]] void failOn(const std::wstring& path) {
    const DWORD error = GetLastError();
    const std::size_t name = path.find_last_of(L"\\/");
    if (path.size() - (name == std::wstring::npos ? 0 : name + 1) > LongestName) {
        fail(failure::PathFileAccessError);
    }
    if (error == ERROR_FILE_NOT_FOUND && !folderOfExists(path)) {
        throw Failure(failure::PathNotFound, Source);
    }
    throw failureFromError(error, Source);
}

DWORD attributesOf(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

bool isFolderAttribute(DWORD attributes) {
    return attributes != Missing && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The attributes of something that must be there: 53 or 76 when it is not.
DWORD existingAttributes(const std::wstring& path) {
    const DWORD attributes = attributesOf(path);
    if (attributes == Missing) {
        failOn(path);
    }
    return attributes;
}

// A handle, closed when it goes.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// Opened for other processes to read, write and delete meanwhile.
HANDLE openFile(const std::wstring& path, DWORD access, DWORD disposition) {
    const HANDLE file =
        CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        failOn(path);
    }
    return file;
}

void writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            failWithLastError();
        }
        bytes.remove_prefix(written);
    }
}

void truncateAt(HANDLE file, LONGLONG offset) {
    LARGE_INTEGER position;
    position.QuadPart = offset;
    if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN) || !SetEndOfFile(file)) {
        failWithLastError();
    }
}

// True for the root of a drive ("C:\\") or of a share ("\\\\server\\share"),
// which is never removed.
bool isRoot(const std::wstring& path) {
    wchar_t full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 4, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 4) {
        return false;
    }
    std::wstring_view folder(full, length);
    while (folder.size() > 1 && folder.back() == L'\\') {
        folder.remove_suffix(1);
    }
    if (folder.size() == 2 && folder[1] == L':') {
        return true;
    }
    // "\\server\share": one separator after the leading pair.
    return folder.starts_with(L"\\\\") && std::count(folder.begin() + 2, folder.end(), L'\\') == 1;
}

// Empties and removes a folder. A link to a folder is removed as a link:
// what it points at stays.
void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            const DWORD attributes = found.dwFileAttributes;
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                removeTree(path);
                continue;
            }
            if (attributes & FILE_ATTRIBUTE_READONLY) {
                SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
            }
            const bool removed = (attributes & FILE_ATTRIBUTE_DIRECTORY)
                                     ? RemoveDirectoryW(path.c_str())
                                     : DeleteFileW(path.c_str());
            if (!removed) {
                const DWORD error = GetLastError();
                FindClose(search);
                throw failureFromError(error, Source);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    if (!RemoveDirectoryW(folder.c_str())) {
        failWithLastError();
    }
}

} // namespace

bool Win32FileSystem::exists(std::string_view path) {
    return attributesOf(toWide(path)) != Missing;
}

bool Win32FileSystem::isFolder(std::string_view path) {
    return isFolderAttribute(attributesOf(toWide(path)));
}

std::int64_t Win32FileSystem::fileSize(std::string_view path) {
    const std::wstring wide = toWide(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
        failOn(wide);
    }
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A file replaced by a rename has another file index; one written in place
// has another write time or size.
std::string Win32FileSystem::fileStamp(std::string_view path) {
    const std::wstring wide = toWide(path);
    const DWORD attributes = attributesOf(wide);
    if (attributes == Missing || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return {};
    }
    const Handle file(CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) {
        return {};
    }
    const auto join = [](DWORD high, DWORD low) {
        return std::to_string((static_cast<std::uint64_t>(high) << 32) | low);
    };
    return std::to_string(info.dwVolumeSerialNumber) + ":" +
           join(info.nFileIndexHigh, info.nFileIndexLow) + ":" +
           join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime) + ":" +
           join(info.nFileSizeHigh, info.nFileSizeLow);
}

int Win32FileSystem::attributes(std::string_view path) {
    return static_cast<int>(existingAttributes(toWide(path)) & ReportedAttributes);
}

void Win32FileSystem::setAttributes(std::string_view path, int attributes) {
    const DWORD settable =
        static_cast<DWORD>(attributes) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                          FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    if (!SetFileAttributesW(toWide(path).c_str(), settable ? settable : FILE_ATTRIBUTE_NORMAL)) {
        failWithLastError();
    }
}

void Win32FileSystem::copyFile(std::string_view from, std::string_view to, bool overwrite) {
    const std::wstring source = toWide(from);
    const std::wstring target = toWide(to);
    if (existingAttributes(source) & FILE_ATTRIBUTE_DIRECTORY) {
        fail(failure::PathFileAccessError);
    }
    if (const DWORD existing = attributesOf(target); existing != Missing) {
        if (existing & FILE_ATTRIBUTE_DIRECTORY) {
            fail(failure::PathFileAccessError);
        }
        if (!overwrite) {
            fail(failure::FileAlreadyExists);
        }
        if (existing & FILE_ATTRIBUTE_READONLY) {
            fail(failure::PermissionDenied);
        }
    }
    if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) {
        failWithLastError();
    }
}

void Win32FileSystem::moveFile(std::string_view from, std::string_view to) {
    const std::wstring source = toWide(from);
    const std::wstring target = toWide(to);
    existingAttributes(source);
    if (attributesOf(target) != Missing) {
        fail(failure::FileAlreadyExists);
    }
    if (!MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED)) {
        failWithLastError();
    }
}

void Win32FileSystem::replaceFile(std::string_view from, std::string_view to) {
    const std::wstring source = toWide(from);
    const std::wstring target = toWide(to);
    existingAttributes(source);
    if (isFolderAttribute(attributesOf(target))) {
        fail(failure::PathFileAccessError);
    }
    if (!MoveFileExW(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failWithLastError();
    }
}

void Win32FileSystem::deleteFile(std::string_view path, bool force) {
    const std::wstring wide = toWide(path);
    const DWORD attributes = existingAttributes(wide);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        fail(failure::FileNotFound);
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        if (!force) {
            fail(failure::PermissionDenied);
        }
        SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    if (!DeleteFileW(wide.c_str())) {
        failWithLastError();
    }
}

void Win32FileSystem::createFolder(std::string_view path) {
    const std::wstring wide = toWide(path);
    if (attributesOf(wide) != Missing) {
        fail(failure::PathFileAccessError);
    }
    if (!CreateDirectoryW(wide.c_str(), nullptr)) {
        const DWORD error = GetLastError();
        throw error == ERROR_ALREADY_EXISTS ? Failure(failure::PathFileAccessError, Source)
                                            : failureFromError(error, Source);
    }
}

void Win32FileSystem::removeFolder(std::string_view path, bool recursive) {
    const std::wstring wide = toWide(path);
    if (!(existingAttributes(wide) & FILE_ATTRIBUTE_DIRECTORY)) {
        fail(failure::PathNotFound);
    }
    if (isRoot(wide)) {
        fail(failure::PathFileAccessError);
    }
    if (recursive) {
        removeTree(wide);
    } else if (!RemoveDirectoryW(wide.c_str())) {
        const DWORD error = GetLastError();
        throw error == ERROR_DIR_NOT_EMPTY ? Failure(failure::PathFileAccessError, Source)
                                           : failureFromError(error, Source);
    }
}

std::vector<std::string> Win32FileSystem::list(std::string_view pattern) {
    std::string searched(pattern);
    const std::size_t cut = searched.find_last_of("\\/");
    std::string wildcard = cut == std::string::npos ? searched : searched.substr(cut + 1);
    if (wildcard.empty()) {
        wildcard = "*";
        searched += wildcard;
    }
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(toWide(searched).c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        std::string name = fromWide(found.cFileName);
        if (name != "." && name != ".." && matchesWildcard(name, wildcard)) {
            names.push_back(std::move(name));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return text::toLower(a) < text::toLower(b);
    });
    return names;
}

std::string Win32FileSystem::tempFolder() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    std::wstring path(folder, length <= MAX_PATH ? length : 0);
    if (path.size() > 3 && path.back() == L'\\') {
        path.pop_back();
    }
    return fromWide(path);
}

std::size_t Win32FileSystem::nameLength(std::string_view name) {
    return toWide(name).size();
}

bool Win32FileSystem::isUsersOwn(std::string_view) {
    return true;
}

std::string Win32FileSystem::currentFolder() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    folder.resize(GetCurrentDirectoryW(length, folder.data()));
    return fromWide(folder);
}

void Win32FileSystem::changeFolder(std::string_view path) {
    if (!SetCurrentDirectoryW(toWide(path).c_str())) {
        fail(failure::PathNotFound);
    }
}

std::string Win32FileSystem::readFile(std::string_view path) {
    const std::wstring wide = toWide(path);
    if (isFolderAttribute(attributesOf(wide))) {
        fail(failure::PathFileAccessError);
    }
    const Handle file(openFile(wide, GENERIC_READ, OPEN_EXISTING));
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            failWithLastError();
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, got);
    }
}

void Win32FileSystem::writeFile(std::string_view path, std::string_view bytes) {
    const std::wstring wide = toWide(path);
    if (isFolderAttribute(attributesOf(wide))) {
        fail(failure::PathFileAccessError);
    }
    // Opened and emptied rather than created anew, which Windows refuses for
    // a hidden file.
    const Handle file(openFile(wide, GENERIC_WRITE, OPEN_ALWAYS));
    truncateAt(file.get(), 0);
    writeAll(file.get(), bytes);
}

void Win32FileSystem::appendToFile(std::string_view path, std::string_view bytes,
                                   std::int64_t emptyAbove) {
    const std::wstring wide = toWide(path);
    if (isFolderAttribute(attributesOf(wide))) {
        fail(failure::PathFileAccessError);
    }
    const Handle file(openFile(wide, GENERIC_WRITE, OPEN_ALWAYS));
    OVERLAPPED turn{};
    turn.Offset = 0xFFFFFFFE;
    turn.OffsetHigh = 0x7FFFFFFF;
    if (!LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &turn)) {
        failWithLastError();
    }
    struct Unlock {
        HANDLE file;
        OVERLAPPED* turn;
        ~Unlock() { UnlockFileEx(file, 0, 1, 0, turn); }
    } unlock{file.get(), &turn};
    LARGE_INTEGER size;
    if (emptyAbove >= 0 && GetFileSizeEx(file.get(), &size) && size.QuadPart > emptyAbove) {
        truncateAt(file.get(), 0);
    }
    const LARGE_INTEGER start{};
    if (!SetFilePointerEx(file.get(), start, nullptr, FILE_END)) {
        failWithLastError();
    }
    writeAll(file.get(), bytes);
}

} // namespace lexi::win32
