#include "platform/win32/file_dialogs.h"

#include "platform/win32/com_apartment.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

#include <algorithm>
#include <windows.h>
// After windows.h, whose types they use.
#include <commdlg.h>
#include <shlobj.h>

namespace lexi::win32 {
namespace {

// Long enough for any path the dialogs give.
constexpr std::size_t PathRoom = 32768;

// The filter as the dialog takes it: the "|" separators become zero
// characters, and the whole ends with two.
std::wstring dialogFilter(std::string_view filter) {
    std::wstring wide = toWide(filter);
    std::replace(wide.begin(), wide.end(), L'|', L'\0');
    wide.append(2, L'\0');
    return wide;
}

// The common dialog library's file dialog (GetOpenFileNameW or
// GetSaveFileNameW): the path chosen, empty when cancelled.
std::string runFileDialog(const char* function, OPENFILENAMEW& dialog, std::wstring& chosen) {
    const auto show = systemFunction<BOOL WINAPI(OPENFILENAMEW*)>(L"comdlg32.dll", function);
    if (!show || !show(&dialog)) {
        return {};
    }
    return fromWide(chosen.c_str());
}

} // namespace

std::string openFileDialog(HWND owner, std::string_view title, std::string_view filter,
                           std::string_view folder) {
    const ComApartment com;
    const std::wstring wideTitle = toWide(title);
    const std::wstring wideFilter = dialogFilter(filter);
    const std::wstring wideFolder = toWide(folder);
    std::wstring chosen(PathRoom, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : wideFilter.c_str();
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.lpstrInitialDir = wideFolder.empty() ? nullptr : wideFolder.c_str();
    dialog.lpstrTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
    dialog.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return runFileDialog("GetOpenFileNameW", dialog, chosen);
}

std::string saveFileDialog(HWND owner, std::string_view title, std::string_view suggested) {
    const ComApartment com;
    const std::wstring wideTitle = toWide(title);
    std::wstring chosen = toWide(suggested);
    chosen.resize(PathRoom, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.lpstrTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return runFileDialog("GetSaveFileNameW", dialog, chosen);
}

std::string folderDialog(HWND owner, std::string_view title, std::string_view folder) {
    const ComApartment com;
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&dialog)))) {
        return {};
    }
    std::string chosen;
    DWORD options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    if (!title.empty()) {
        dialog->SetTitle(toWide(title).c_str());
    }
    IShellItem* start = nullptr;
    if (!folder.empty() && SUCCEEDED(SHCreateItemFromParsingName(toWide(folder).c_str(), nullptr,
                                                                 IID_PPV_ARGS(&start)))) {
        dialog->SetFolder(start);
        start->Release();
    }
    IShellItem* result = nullptr;
    wchar_t* path = nullptr;
    if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(&result)) &&
        SUCCEEDED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        chosen = fromWide(path);
        CoTaskMemFree(path);
    }
    if (result) {
        result->Release();
    }
    dialog->Release();
    return chosen;
}

} // namespace lexi::win32
