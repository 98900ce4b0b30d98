#include "apps/lexitray/program_run.h"

#include "platform/failure.h"
#include "tray/startup.h"

namespace lexi {

int runProgram(Platform& platform, std::string commandLine,
               const std::function<void(RunLog& log)>& logOpened) {
    ProgramState state;
    state.commandLine = std::move(commandLine);
    RunLog log(platform.files, platform.processes, platform.clock);
    if (logOpened) {
        logOpened(log);
    }
    Startup startup(platform, state, log);
    try {
        startup.Main();
        // The windows the request left loaded (the tray window, the settings
        // window) carry the program from here until the last one is gone.
        platform.ui.runEventLoop();
    } catch (const Failure& failure) {
        // A failure no feature handled ends the program with a message.
        const std::string text = "Fejl i Main: " + failure.description();
        log.WriteLog(text);
        platform.ui.messageBox(text, msgbox::Critical, Startup::AppName);
        return 1;
    }
    return 0;
}

} // namespace lexi
