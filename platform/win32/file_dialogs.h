#pragma once

#include <string>
#include <string_view>
#include <windows.h>

// Windows' own file and folder dialogs, modal to `owner`. Each answers the
// path chosen, or the empty text when the user cancelled.
namespace lexi::win32 {

// `filter` is in the runtime's form: "PDF-filer (*.pdf)|*.pdf", pairs of a
// caption and its patterns separated by "|"; `fileName` is what the name
// field holds at first.
std::string openFileDialog(HWND owner, std::string_view title, std::string_view filter,
                           std::string_view folder, std::string_view fileName);

// Opens at the suggested file, asking before an existing file is replaced.
std::string saveFileDialog(HWND owner, std::string_view title, std::string_view suggested);

std::string folderDialog(HWND owner, std::string_view title, std::string_view folder);

} // namespace lexi::win32
