// lexitray: started once per request by the case-management system, with one
// argument text.

#include "apps/lexitray/linux_platform.h"
#include "platform/failure.h"
#include "tray/startup.h"

#include <string>

namespace {

// The request as one text. The case-management system passes one argument
// text, which the shell may have split at its spaces: the words are joined
// again with single spaces.
std::string commandLineOf(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            line += ' ';
        }
        line += argv[i];
    }
    return line;
}

} // namespace

int main(int argc, char** argv) {
    // A user at a desktop must see every question: without its windows the
    // program ends rather than answer them unseen.
    lexi::LinuxPlatform linuxPlatform(std::make_unique<lexi::posix::NoWindows>(),
                                      lexi::WithoutDesktopUi::ProgramEnds);
    lexi::Platform& platform = linuxPlatform.platform();
    lexi::ProgramState state;
    state.commandLine = commandLineOf(argc, argv);
    lexi::RunLog log(platform.files, platform.processes, platform.clock);
    linuxPlatform.setNotes([&log](const std::string& note) { log.WriteLog(note); });
    lexi::Startup startup(platform, state, log);
    try {
        startup.Main();
        // The windows the request left loaded (the tray window, the settings
        // window) carry the program from here until the last one is gone.
        platform.ui.runEventLoop();
    } catch (const lexi::Failure& failure) {
        // A failure no feature handled ends the program with a message.
        const std::string text = "Fejl i Main: " + failure.description();
        log.WriteLog(text);
        platform.ui.messageBox(text, lexi::msgbox::Critical, lexi::Startup::AppName);
        return 1;
    }
    return 0;
}
