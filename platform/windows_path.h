#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexi {

// A workstation path taken apart: its drive letter (upper case) and the
// names of the folders and the file below the drive's root.
struct WindowsPath {
    char drive = 0;
    std::vector<std::string> components;
};

// Takes a path text apart as Windows reads it: "\" and "/" both separate,
// empty components and "." are skipped, ".." goes up (never above the root),
// and trailing spaces and dots of a component are dropped. A path without a
// drive starts from `currentFolder()` ("C:\Users\x"), or from the root of
// its drive when it begins with "\". Nothing for a UNC path ("\\server\x"),
// or when the current folder is needed and names no drive.
std::optional<WindowsPath> parseWindowsPath(std::string_view path,
                                            const std::function<std::string()>& currentFolder);

// How many names a full path has below its root, the drive's ("C:\\") or
// the network share's ("\\\\server\\share"), as parseWindowsPath counts them;
// nothing for a path that does not start at such a root.
std::optional<std::size_t> namesBelowRoot(std::string_view path);

// The parts of a path text, split at its last "\" or "/": the folder with
// its final separator ("" when there is none), the last component, and that
// component's extension after its last full stop, without the dot ("" when
// it has none).
std::string_view folderPart(std::string_view path);
std::string_view fileNamePart(std::string_view path);
std::string_view extensionPart(std::string_view path);

// True when `name` matches a wildcard pattern ("*" any run, "?" one
// character), without regard to letter case. A final ".*" matches a name
// without an extension too, as on Windows.
bool matchesWildcard(std::string_view name, std::string_view pattern);

} // namespace lexi
