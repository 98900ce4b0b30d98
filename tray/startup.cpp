#include "tray/startup.h"

#include "mail/md_mail.h"
#include "mail/requests_in_flight.h"
#include "mail/work_folders.h"
#include "platform/failure.h"
#include "program/version.h"
#include "shared/pdfwriter/pdf_writer_turn.h"
#include "tray/document_launcher.h"
#include "tray/splash.h"
#include "tray/usage_message.h"

#include <string>

namespace lexi {
namespace {

const char* const RightsTestKey = "HKEY_CURRENT_USER\\Software\\Lexitray\\Temp";
const char* const RightsTestLock = "rights-test";
// A start waits this long, looking every so many milliseconds, for another
// start's rights test (which may wait on a message box nobody answers), and
// then tests without its turn.
constexpr int RightsTestTurnLimit = 5000;
constexpr int RightsTestTurnPoll = 50;
const char* const MonitorLock = "monitor";
// How often the program in the notification area tries the Outbox and files
// what was sent meanwhile; the store itself spaces its tries of the Outbox
// further apart while the mail server refuses.
constexpr std::chrono::minutes TrayRoundInterval{1};
const char* const NoNotificationArea =
    "Ikonet kunne ikke vises, da skrivebordet ikke har noget systemtray";

std::string trueFalse(bool value) {
    return value ? "True" : "False";
}

} // namespace

Startup::Startup(Platform& platform, ProgramState& state, RunLog& log)
    : platform_(platform), state_(state), log_(log), mail_{platform, log, state, mailState_},
      registry_(platform.registry, platform.ui),
      settingsWindow_(platform.ui, platform.settings, state, log),
      trayWindow_(platform.ui, state, trayMenuActions()) {
    state_.StartProgram = [this](std::string_view Dokument, std::string_view DDEKommando) {
        return DocumentLauncher(mail_).StartProgram(Dokument, DDEKommando, state_.DocumentID);
    };
}

TrayWindow::Actions Startup::trayMenuActions() {
    TrayWindow::Actions actions;
    actions.showSettings = [this] {
        settingsWindow_.show();
    };
    actions.exitProgram = [this] {
        exitProgram();
    };
    return actions;
}

std::string Startup::versionText() {
    const std::string revision = "000" + std::to_string(version::Revision);
    return std::to_string(version::Major) + "." + std::to_string(version::Minor) + "." +
           revision.substr(revision.size() - 3);
}

std::unique_ptr<ProcessLock> Startup::rightsTestTurn() {
    for (int waited = 0;; waited += RightsTestTurnPoll) {
        std::unique_ptr<ProcessLock> turn;
        try {
            turn = platform_.processes.tryLock(RightsTestLock);
        } catch (const Failure&) {
            return nullptr;
        }
        if (turn || waited >= RightsTestTurnLimit) {
            return turn;
        }
        platform_.clock.sleepMilliseconds(RightsTestTurnPoll);
    }
}

Startup::RightsTest Startup::testRights() {
    // Without its turn the test still runs: it may then fail for real.
    const std::unique_ptr<ProcessLock> turn = rightsTestTurn();
    RightsTest result = testSettings();
    testRegistry(result);
    return result;
}

Startup::RightsTest Startup::testSettings() {
    RightsTest result;
    SettingsStore& settings = platform_.settings;
    ignoringFailure([&] { settings.saveSetting(AppName, "Version", "Test", "TEST"); });
    ignoringFailure([&] {
        result.settingsWrite = settings.getSetting(AppName, "Version", "Test", "") == "TEST";
    });
    if (result.settingsWrite) {
        ignoringFailure([&] { settings.deleteSetting(AppName, "Version", "Test"); });
        ignoringFailure([&] {
            result.settingsDelete =
                settings.getSetting(AppName, "Version", "Test", "GONE") == "GONE";
        });
    }
    return result;
}

void Startup::testRegistry(RightsTest& result) {
    registry_.WriteRegistryValue(RightsTestKey, "WriteTest", "TEST", false);
    std::int32_t bufferSize = 0;
    result.registryWrite =
        registry_.ReadRegistryValue(RightsTestKey, "WriteTest", bufferSize).value_or("") == "TEST";
    if (result.registryWrite) {
        registry_.DeleteRegistryValue(RightsTestKey, "Writetest");
        registry_.DeleteRegistryKey(RightsTestKey);
        bufferSize = 0;
        result.registryDelete = registry_.ReadRegistryValue(RightsTestKey, "WriteTest", bufferSize)
                                    .value_or("")
                                    .empty();
    }
}

void Startup::showMissingRights(const RightsTest& result) {
    platform_.ui.messageBox("Du har ikke rettigheder til at skrive\r\n"
                            "i registreringsdatabasen. Dette er nødvendigt\r\n"
                            "for at Lexitray kan køre. Programmet lukkes!\r\n"
                            "\r\n"
                            "Udvidet meddelelse:\r\n"
                            "\r\n"
                            "Skrive i RegDB: " +
                                trueFalse(result.registryWrite) +
                                "\r\n"
                                "Skrive i VB området: " +
                                trueFalse(result.settingsWrite) +
                                "\r\n"
                                "Slette i RegDB: " +
                                trueFalse(result.registryDelete) +
                                "\r\n"
                                "Slette i VB området: " +
                                trueFalse(result.settingsDelete) + "\r\n",
                            msgbox::OkOnly, AppName);
}

void Startup::readFolders() {
    ignoringFailure([&] {
        state_.exchangeFolder =
            platform_.settings.getSetting(AppName, "Drevindstillinger", "Lokalsti", "C:\\");
    });
    state_.startupLocalFolder = state_.exchangeFolder;
    log_.setFolder(state_.startupLocalFolder);
    ignoringFailure([&] { platform_.settings.deleteSection(AppName, "Indstillinger"); });
    // An empty folder would name the working folder of the process: it counts
    // as missing.
    ignoringFailure([&] {
        if (state_.exchangeFolder.empty() || !platform_.files.isFolder(state_.exchangeFolder)) {
            state_.exchangeFolder = platform_.files.tempFolder() + "\\";
        }
    });
}

void Startup::Main() {
    const RightsTest rights = testRights();
    if (!rights.allGood()) {
        // A damaged store has been reported as such: rights are not the
        // trouble then.
        if (!registry_.storeDamaged()) {
            showMissingRights(rights);
        }
        log_.WriteLog("Slut");
        return;
    }
    readFolders();
    // Before anything else, what a request killed in the middle left.
    putBackLeftPdfWriter();
    removeLeftWorkFolders(mail_, ImageName);

    state_.BccModtagere = false;
    state_.mergeDialogOpen = false;

    log_.WriteLog("Her er al kontrol overstået" + std::string(119, 'X'));
    log_.WriteLog("cmdline er ->" + state_.commandLine + "<-");
    log_.WriteLog("Version " + versionText());

    const Mode mode = ChooseMode(state_.commandLine);
    if (!runMode(mode)) {
        return;
    }
    finishLeftRequests(mode);
    log_.WriteLog("Slut");
}

void Startup::putBackLeftPdfWriter() {
    if (const auto printer =
            PdfWriterTurn::putBackLeft(registry_, platform_.processes, platform_.ui)) {
        log_.WriteLog("Standardprinteren er sat tilbage til " + *printer +
                      " efter en afbrudt PDF-udskrift");
    }
}

void Startup::finishLeftRequests(Mode mode) {
    if (mode == Mode::Stop) {
        return;
    }
    if (trayWindow_.isLoaded()) {
        trayRound();
        return;
    }
    const bool mailMode =
        mode == Mode::NewMail || mode == Mode::NewMailBcc || mode == Mode::AnswerMail;
    finishRequestsInFlight(mail_, ImageName, mailMode ? InFlight::AlsoWaiting : InFlight::Killed);
}

void Startup::trayRound() {
    sendWaitingMail(mail_);
    finishRequestsInFlight(mail_, ImageName, InFlight::AlsoWaiting);
}

bool Startup::runMode(Mode mode) {
    const char* const Separator = "\r\n";
    switch (mode) {
    case Mode::NewMail:
        runMailRequest("Sender mail");
        break;
    case Mode::NewMailBcc:
        state_.BccModtagere = true;
        runMailRequest("Sender mail til BCC modtagere");
        break;
    case Mode::AnswerMail:
        runMailRequest("Besvarer mail");
        break;
    case Mode::ChangeLocalFolder:
        state_.exchangeFolder = state_.commandLine.substr(5);
        platform_.settings.saveSetting(AppName, "Drevindstillinger", "Lokalsti",
                                       state_.exchangeFolder);
        log_.WriteLog(Separator);
        log_.WriteLog("Sætter lokaldrevet til " + state_.exchangeFolder +
                      " og starter Lexitray i systemtray");
        startMonitor();
        break;
    case Mode::Settings:
        log_.WriteLog(Separator);
        log_.WriteLog("Viser setup-billedet");
        settingsWindow_.show();
        break;
    case Mode::Stop:
        log_.WriteLog(Separator);
        log_.WriteLog("Stopper alle instanser af Lexitray - og loggen lukkes hermed");
        return !stopAllInstances();
    case Mode::Document:
        log_.WriteLog(Separator);
        openDocument();
        break;
    case Mode::Monitor:
        log_.WriteLog(Separator);
        log_.WriteLog("Starter Lexitray i overvågningsmode i systemtray");
        startMonitor();
        break;
    }
    return true;
}

void Startup::runMailRequest(const char* modeLine) {
    ShowSplash(trayWindow_, platform_.clock, platform_.settings, 1);
    log_.WriteLog("\r\n");
    log_.WriteLog(modeLine);
    NaviMail(mail_, "");
}

void Startup::startMonitor() {
    // Only one instance sits in the notification area: the one that holds
    // the lock, which the system lets go of when that instance ends.
    monitorLock_ = platform_.processes.tryLock(MonitorLock);
    if (!monitorLock_) {
        return;
    }
    trayWindow_.load();
    if (!trayWindow_.hasNotificationIcon()) {
        log_.WriteLog(NoNotificationArea);
    }
    trayWindow_.showFor(platform_.clock, 1000);
    trayWindow_.hide();
    platform_.ui.repeatWhileRunning(TrayRoundInterval, [this] { trayRound(); });
}

void Startup::exitProgram() {
    settingsWindow_.unload();
    platform_.ui.quitEventLoop();
}

bool Startup::stopAllInstances() {
    // The others, in the order found. This process is one of them too: its
    // turn is to end once the others have ended, with nothing more written
    // and with success, which ending it by force would not report.
    const long self = platform_.processes.currentProcessId();
    bool selfFound = false;
    for (const ProcessInfo& process : platform_.processes.processesByImageName(ImageName)) {
        if (process.id == self) {
            selfFound = true;
            continue;
        }
        // A process that ended in the meantime needs no stopping.
        ignoringFailure([&] { platform_.processes.terminate(process.id); });
    }
    return selfFound;
}

void Startup::openDocument() {
    const auto command = SplitDocumentCommand(state_.commandLine);
    if (!command) {
        ShowUsageMessage(platform_.ui);
        return;
    }
    state_.Dokument = command->Dokument;
    state_.DDEKommando = command->DDEKommando;
    state_.DocumentID = command->DocumentID;
    DocumentLauncher(mail_).ÅbnDok();
}

} // namespace lexi
