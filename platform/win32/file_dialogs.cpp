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

// A file dialog of the common dialog library, with the texts it points at.
class FileDialog {
public:
    FileDialog(HWND owner, std::string_view title, std::string_view file, DWORD flags)
        : title_(toWide(title)), chosen_(toWide(file)) {
        chosen_.resize(PathRoom, L'\0');
        dialog_.lStructSize = sizeof dialog_;
        dialog_.hwndOwner = owner;
        dialog_.lpstrFile = chosen_.data();
        dialog_.nMaxFile = static_cast<DWORD>(chosen_.size());
        dialog_.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
        dialog_.Flags =
            OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | flags;
    }
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    // `filter` in the runtime's form; the dialog takes the "|" separators as
    // zero characters, and the whole ending with two.
    void setFilter(std::string_view filter) {
        filter_ = toWide(filter);
        std::replace(filter_.begin(), filter_.end(), L'|', L'\0');
        filter_.append(2, L'\0');
        dialog_.lpstrFilter = filter.empty() ? nullptr : filter_.c_str();
    }
    void setFolder(std::string_view folder) {
        folder_ = toWide(folder);
        dialog_.lpstrInitialDir = folder_.empty() ? nullptr : folder_.c_str();
    }

    // Shows it through GetOpenFileNameW or GetSaveFileNameW: the path chosen,
    // empty when cancelled.
    std::string show(const char* function) {
        const ComApartment com;
        const auto run = systemFunction<BOOL WINAPI(OPENFILENAMEW*)>(L"comdlg32.dll", function);
        if (!run || !run(&dialog_)) {
            return {};
        }
        return fromWide(chosen_.c_str());
    }

private:
    std::wstring title_;
    std::wstring chosen_;
    std::wstring filter_;
    std::wstring folder_;
    OPENFILENAMEW dialog_{};
};

} // namespace

std::string openFileDialog(HWND owner, std::string_view title, std::string_view filter,
                           std::string_view folder, std::string_view fileName) {
    FileDialog dialog(owner, title, fileName, OFN_FILEMUSTEXIST);
    dialog.setFilter(filter);
    dialog.setFolder(folder);
    return dialog.show("GetOpenFileNameW");
}

std::string saveFileDialog(HWND owner, std::string_view title, std::string_view suggested) {
    FileDialog dialog(owner, title, suggested, OFN_OVERWRITEPROMPT);
    return dialog.show("GetSaveFileNameW");
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
