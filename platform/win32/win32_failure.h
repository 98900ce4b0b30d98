#pragma once

#include "platform/failure.h"

#include <string>

namespace lexi::win32 {

// The failure of a Win32 file call that failed with the system error code
// `error` (GetLastError), with the runtime's number and description: a
// missing file 53, a missing folder or drive 76, a refused or shared file 70,
// an existing one 58, a full disk 61, anything else 75.
Failure failureFromError(unsigned long error, std::string source);

// The same for the calling thread's last error.
Failure lastFailure(std::string source);

// Whether the folder that holds `path` is there: what tells a missing file
// from a missing folder (or drive), where Windows answers "file not found"
// for both, as Wine does.
bool folderOfExists(const std::wstring& path);

} // namespace lexi::win32
