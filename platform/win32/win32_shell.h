#pragma once

#include "platform/shell.h"

namespace lexi::win32 {

// The Windows shell: ShellExecuteExW with the verb, the working folder and
// the show mode, answering ShellExecute's numbers; a missing file answers 3
// when its folder is missing too, where the shell says 2 for both. The
// started application is not waited for. COM is on the thread for the
// call, as the shell wants.
class Win32Shell final : public Shell {
public:
    int execute(std::string_view verb, std::string_view file, std::string_view parameters,
                std::string_view workingFolder, ShowMode mode) override;
};

} // namespace lexi::win32
