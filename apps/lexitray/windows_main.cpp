// lexitray.exe: started once per request by the case-management system, with
// one argument text.

#include "apps/lexitray/program_run.h"
#include "apps/lexitray/windows_platform.h"
#include "platform/win32/wide_text.h"
#include "platform/windows_command_line.h"

#include <windows.h>

int wmain() {
    lexi::WindowsPlatform windowsPlatform;
    // The argument text as the case-management system wrote it: quotes and
    // all, not split.
    const std::string commandLine = lexi::win32::fromWide(GetCommandLineW());
    return lexi::runProgram(windowsPlatform.platform(),
                            std::string(lexi::argumentText(commandLine)));
}
