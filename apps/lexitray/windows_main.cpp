// lexitray.exe: started once per request by the case-management system, with
// one argument text.

#include "apps/lexitray/program_run.h"
#include "apps/lexitray/windows_platform.h"
#include "platform/win32/wide_text.h"
#include "platform/windows_command_line.h"

#include <objbase.h>

int wmain() {
    // The shell and the dialogs want COM on the thread that calls them.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    int exitCode = 0;
    {
        lexi::WindowsPlatform windowsPlatform;
        // The argument text as the case-management system wrote it: quotes
        // and all, not split.
        const std::string commandLine = lexi::win32::fromWide(GetCommandLineW());
        exitCode = lexi::runProgram(windowsPlatform.platform(),
                                    std::string(lexi::argumentText(commandLine)));
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
