#pragma once

#include "platform/processes.h"

#include <memory>
#include <string>

namespace lexi::posix {

// Takes the advisory lock on the file at `hostPath` (made when missing), held
// until the answer goes; the kernel lets go when the process ends, however it
// ends. Waits for another holder when `wait` is set, else answers null while
// another holds it. Throws lexi::Failure when the file cannot be opened.
std::unique_ptr<ProcessLock> lockFile(const std::string& hostPath, bool wait, const char* source);

} // namespace lexi::posix
