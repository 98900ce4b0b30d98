#pragma once

#include "platform/filesystem.h"
#include "platform/windows_path.h"

#include <string>
#include <string_view>

namespace lexi {

// A chosen attachment name made safe for the file system: every run of the
// characters ( ? * " , \ < > & # ~ % { } + _ @ : / ! ; and of hyphens becomes
// one "_". Everything else (the full stop, ")", letters of any alphabet)
// stays.
std::string CleanFileName(std::string_view name);

// The file name an attachment named `chosen` is made under in the work
// folder: the name cleaned, its part before the extension cut where the file
// system needs it.
std::string attachmentFileName(FileSystem& files, std::string_view chosen);

// The extension as a record keeps it: trimmed and in lower case.
std::string recordExtension(std::string_view path);

} // namespace lexi
