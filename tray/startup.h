#pragma once

#include "mail/mail_context.h"
#include "platform/platform.h"
#include "program/program_state.h"
#include "program/run_log.h"
#include "shared/registry/md_registry.h"
#include "tray/command_line.h"
#include "tray/settings_window.h"
#include "tray/tray_window.h"

namespace lexi {

// The program's entry: tests its rights on the settings store and the
// registry, reads the local folder, and carries out the one request of its
// command line. The windows it leaves loaded (the tray window of the monitor
// mode, the settings window) live on with this object, run by the UI's event
// loop after Main has returned.
class Startup {
public:
    static constexpr const char* AppName = "Lexitray";

    Startup(Platform& platform, ProgramState& state, RunLog& log);
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Runs the request of state.commandLine. Failures of the chosen mode's
    // own work reach the caller as lexi::Failure.
    void Main();

    // The program's version as shown: "4.13.041" for 4.13.41.
    static std::string versionText();

private:
    struct RightsTest {
        bool settingsWrite = false;
        bool settingsDelete = false;
        bool registryWrite = false;
        bool registryDelete = false;
        bool allGood() const {
            return settingsWrite && settingsDelete && registryWrite && registryDelete;
        }
    };

    // The rights test of the settings store and the registry. Processes that
    // start together take turns: they share the test's key and value.
    RightsTest testRights();
    // The turn at the rights test, waited for a few seconds at most; null
    // when the start is to test without it.
    std::unique_ptr<ProcessLock> rightsTestTurn();
    RightsTest testSettings();
    void testRegistry(RightsTest& result);
    void showMissingRights(const RightsTest& result);
    void readFolders();
    // What a process that ended in the PDF writer's turn left: the default
    // printer it had switched, the job settings.
    void putBackLeftPdfWriter();
    // False when the mode ended the run: a stop that found this process
    // among the running instances.
    bool runMode(Mode mode);
    // What earlier requests left in the journal, looked at once this
    // request's own work is done, so that no start waits for it: a stop
    // leaves it to the next start; the mail modes and the program in the
    // notification area, which try the Outbox, also look at mail that waited
    // there.
    void finishLeftRequests(Mode mode);
    // What the program in the notification area does in the background of
    // its window, at its start and every minute: it asks Outlook to send what
    // waits in the Outbox, and files in their cases the mails sent meanwhile.
    void trayRound();
    // The start picture, the separator and the mode's line, then the mail.
    void runMailRequest(const char* modeLine);
    void startMonitor();
    TrayWindow::Actions trayMenuActions();
    void exitProgram();
    // Ends the other running instances; whether this process is one.
    bool stopAllInstances();
    void openDocument();

    Platform& platform_;
    ProgramState& state_;
    RunLog& log_;
    MailState mailState_;
    MailContext mail_;
    mdRegistry registry_;
    SettingsWindow settingsWindow_;
    TrayWindow trayWindow_;
    // Held by the one instance in the notification area for its whole life.
    std::unique_ptr<ProcessLock> monitorLock_;
};

} // namespace lexi
