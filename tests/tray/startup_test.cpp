#include "mail/send_journal.h"
#include "mail/work_folders.h"
#include "platform/fake/fake_outlook.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/fake/memory_registry.h"
#include "platform/fake/scripted_outlook_windows.h"
#include "platform/posix/not_installed.h"
#include "platform/posix/sqlite_registry.h"
#include "platform/registry_settings.h"
#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "shared/pdfwriter/pdf_writer_turn.h"
#include "tests/support/log_lines.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"
#include "tray/startup.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace lexi {
namespace {

using Lines = std::vector<std::string>;

class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        outlook.canStart = false;
        files.makeFolders("C:\\Sager");
        files.setCurrentFolder("C:\\Arbejde");
        processes.running = {{100, "lexitray.exe"}};
    }

    // A fresh run; the last one's windows go with it.
    void run(const std::string& commandLine) {
        startup.reset();
        ui.records.clear();
        state.commandLine = commandLine;
        startup.emplace(platform, state, log);
        startup->Main();
    }

    // The texts of the log in the folder.
    Lines logLines(const std::string& folder) {
        return testing::logLineTexts(files.readFile(folder + "Lexitray_tester.log"));
    }
    void useFolder(const std::string& folder) {
        settings.saveSetting("Lexitray", "Drevindstillinger", "Lokalsti", folder);
    }

    fake::MemoryRegistry registry;
    RegistrySettings settings{registry};
    fake::MemoryFileSystem files;
    fake::FakeProcesses processes;
    posix::NoShell shell;
    testing::RecordingUi ui;
    fake::ManualClock clock;
    fake::ScriptedOutlookWindows outlookWindows;
    posix::DriveTable drives{{}};
    mailstore::FakeOutlook outlook{clock, ui, outlookWindows, drives};
    posix::NoWord word;
    posix::NoWindows windows;
    Platform platform{registry, settings, files,   processes, shell,
                      ui,       clock,    outlook, word,      windows};
    ProgramState state;
    RunLog log{files, processes, clock};
    std::optional<Startup> startup; // kept with its windows after the request
};

TEST_F(StartupTest, EachRequestLogsItsModeAndShowsItsWindows) {
    // The start picture and the monitor's tray window are shown a second.
    const std::string mail = "tray:loaded tray:shown tray:unloaded msgbox: 1000"; // no Outlook here
    const std::string monitor = "tray:loaded tray:shown tray:hidden 1000";
    const std::pair<std::string, std::string> cases[] = {
        {"Mail", "Sender mail|" + mail},
        {"MAILBCC", "Sender mail til BCC modtagere|" + mail + " BCC"},
        {"mailreply", "Besvarer mail|" + mail},
        {"", "Starter Lexitray i overvågningsmode i systemtray|" + monitor},
        {"C:\\a.doc open", "Åbner dokumentet: C:\\a.doc  med kommandoen open|msgbox: msgbox: 0"},
        {"DREV=d:\\x\\",
         "Sætter lokaldrevet til d:\\x\\ og starter Lexitray i systemtray|" + monitor},
    };
    useFolder("C:\\Sager\\");
    for (const auto& [commandLine, expected] : cases) {
        files.putFile("C:\\Sager\\Lexitray_tester.log", "");
        const std::int64_t slept = clock.sleptMilliseconds();
        run(commandLine);
        // The lines before the mode's, the run-log scenario shows.
        const Lines lines = logLines("C:\\Sager\\");
        ASSERT_GE(lines.size(), 6U) << commandLine;
        EXPECT_EQ(lines[5] + "|" + ui.takeEvents() + " " +
                      std::to_string(clock.sleptMilliseconds() - slept) +
                      (state.BccModtagere ? " BCC" : "") +
                      (lines.back() == "Slut" ? "" : " no end"),
                  expected);
    }
    EXPECT_EQ(settings.getSetting("Lexitray", "Drevindstillinger", "Lokalsti", ""), "d:\\x\\");
    // The manual clock's day, 2 January 2026.
    EXPECT_EQ(settings.getSetting("Lexitray", "Splash", "SidstVist", ""), "020126");
}

TEST_F(StartupTest, TheFolderComesFromTheSettingOrFallsBack) {
    // The setting (null: none), then the start-up|exchange|stored folder after the run.
    const std::pair<const char*, std::string> cases[] = {
        {nullptr, "C:\\|C:\\|?"},
        {"C:\\Mangler\\", "C:\\Mangler\\|C:\\Temp\\|C:\\Mangler\\"},
        {"", "|C:\\Temp\\|"}, // the empty folder would be the working folder
    };
    settings.saveSetting("Lexitray", "Indstillinger", "Gammel", "1");
    for (const auto& [configured, folders] : cases) {
        if (configured) {
            useFolder(configured);
        }
        run("mail");
        EXPECT_EQ(state.startupLocalFolder + "|" + state.exchangeFolder + "|" +
                      settings.getSetting("Lexitray", "Drevindstillinger", "Lokalsti", "?"),
                  folders);
    }
    // The log stays where the setting points.
    EXPECT_EQ(logLines("C:\\").back(), "Slut");
    EXPECT_FALSE(files.exists("C:\\Temp\\Lexitray_tester.log"));
    EXPECT_EQ(settings.getSetting("Lexitray", "Indstillinger", "Gammel", "væk"), "væk");
    // The rights test leaves nothing behind.
    EXPECT_EQ(registry.openKey(RegistryRoot::CurrentUser, "Software\\Lexitray\\Temp",
                               RegistryAccess::Read),
              RegistryStatus::NotFound);
    EXPECT_EQ(settings.getSetting("Lexitray", "Version", "Test", "none"), "none");
}

TEST_F(StartupTest, ARunningMonitorKeepsTheNextAwayAndStopEndsOthersInTheOrderFound) {
    processes.heldElsewhere = {"monitor"};
    processes.running = {
        {40, "lexitray.exe"}, {100, "LEXITRAY.EXE"}, {7, "other.exe"}, {300, "lexitray.exe"}};
    run("");
    EXPECT_TRUE(ui.records.empty());
    run("stop");
    // What the stop writes to the log, the run-log scenario shows.
    EXPECT_EQ(processes.terminated, (std::vector<long>{40, 300}));
}

TEST_F(StartupTest, MissingRightsAreShownAndEndTheRun) {
    const struct {
        std::string denied; // the key refused; empty: every write fails
        std::string regWrite, vbWrite, regDelete, vbDelete;
    } cases[] = {
        {"Software\\VB and VBA Program Settings", "True", "False", "True", "False"},
        {"Software\\Lexitray", "False", "True", "False", "True"},
        {"", "False", "False", "False", "False"},
    };
    for (const auto& c : cases) {
        registry = {};
        c.denied.empty() ? registry.failWrites(RegistryStatus::AccessDenied)
                         : registry.denyAccess(RegistryRoot::CurrentUser, c.denied);
        run("mail");
        EXPECT_EQ(
            ui.messages().back(),
            std::string{"Lexitray|0|Du har ikke rettigheder til at skrive\r\ni "
                        "registreringsdatabasen. Dette er nødvendigt\r\nfor at Lexitray kan køre. "
                        "Programmet lukkes!\r\n\r\nUdvidet meddelelse:\r\n\r\nSkrive i RegDB: " +
                        c.regWrite + "\r\nSkrive i VB området: " + c.vbWrite +
                        "\r\nSlette i RegDB: " + c.regDelete +
                        "\r\nSlette i VB området: " + c.vbDelete + "\r\n"});
    }
    // The folder is not known yet: "Slut" goes to the working folder.
    EXPECT_EQ(logLines("C:\\Arbejde\\"), Lines(3, "Slut"));
}

// A registry file of garbage is reported as damaged, once, and not as missing
// rights; the program ends.
TEST_F(StartupTest, ADamagedRegistryIsToldAndEndsTheRun) {
    testing::TempFolder root;
    std::ofstream(root.path() / "registry.db") << std::string(4096, '\x5A');
    posix::SqliteRegistry damaged((root.path() / "registry.db").string());
    RegistrySettings damagedSettings{damaged};
    Platform onDamaged{damaged, damagedSettings, files,   processes, shell,
                       ui,      clock,           outlook, word,      windows};
    Startup(onDamaged, state, log).Main();
    std::string shownPath = "Z:" + root.str() + "\\registry.db";
    std::replace(shownPath.begin(), shownPath.end(), '/', '\\');
    EXPECT_EQ(ui.messages(),
              Lines{"REGISTRY ERROR|16|ERROR: The registry store is damaged: " + shownPath});
    EXPECT_TRUE(state.exchangeFolder.empty());
}

// A start puts back what a request killed in the middle left: the default
// printer it switched to the PDF writer (how, the PDF writer's tests show)
// and its work folder; the work folder of a request that still runs stays.
TEST_F(StartupTest, AStartPutsBackWhatAKilledRequestLeft) {
    useFolder("C:\\Sager\\");
    mdRegistry module(registry, ui);
    processes.self = 7;
    {
        PdfWriterTurn killed(module, processes, ui);
        ASSERT_TRUE(killed.tryTake());
        killed.keepDefaultPrinter("Kontor,Ne01:");
        module.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue,
                                  "Lexitray PDF Writer,Ne00:", false);
    }
    MailState mailState;
    MailContext mail{platform, log, state, mailState};
    for (const long id : {7L, 8L}) {
        processes.self = id;
        const std::string folder = "C:\\Temp\\lexitray\\mail-" + std::to_string(id) + "-1";
        files.makeFolders(folder);
        noteWorkFolder(mail, folder);
    }
    processes.self = 100;
    processes.running.push_back({8, "lexitray.exe"});
    run("setup");
    EXPECT_EQ(readRegistryText(module, driver::WindowsKey, driver::DeviceValue), "Kontor,Ne01:");
    EXPECT_EQ(std::to_string(files.exists("C:\\Temp\\lexitray\\mail-7-1")) +
                  std::to_string(files.exists("C:\\Temp\\lexitray\\mail-8-1")),
              "01");
    const Lines lines = logLines("C:\\Sager\\");
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 2),
              (Lines{"Standardprinteren er sat tilbage til Kontor,Ne01: efter en afbrudt "
                     "PDF-udskrift",
                     "Tempmappen C:\\Temp\\lexitray\\mail-7-1 fra en afbrudt mail er slettet"}));
}

// The journal holds a mail that was never sent, from a killed request, and
// one that was found waiting in the Outbox and is gone from it since. A
// document request lets the waiting one be; the program in the notification
// area, which tries the Outbox, looks at both at its start and every minute
// after; a stop looks at nothing.
TEST_F(StartupTest, EachStartFinishesWhatItMayOfTheJournalAfterItsOwnWork) {
    outlook.canStart = true;
    SendJournal journal(registry);
    const auto leave = [&](const std::string& name, bool waiting) {
        journal.add(7, {"C:\\Sager\\" + name + ".msg", "", name, "", waiting});
    };
    // The command line, the entries left before it, those after it.
    const std::tuple<std::string, Lines, Lines> cases[] = {
        {"stop", {"Dræbt", "Venter"}, {"Dræbt", "Venter"}},
        {"C:\\a.doc open", {"Dræbt", "Venter"}, {"Venter"}},
        {"", {"Dræbt", "Venter"}, {}},
    };
    for (const auto& [commandLine, before, after] : cases) {
        for (const std::string& name : before) {
            leave(name, name == "Venter");
        }
        run(commandLine);
        Lines left;
        for (const SendJournal::Record& record : journal.records()) {
            left.push_back(record.entry.marker);
            journal.remove(record.name);
        }
        EXPECT_EQ(left, after) << commandLine;
    }
    leave("Venter", true);
    ui.runRepeats();
    EXPECT_TRUE(journal.records().empty());
}

// Another start holds the rights test's turn and never lets go (a message box
// nobody answers): this start waits a few seconds, then tests all the same.
TEST_F(StartupTest, TheRightsTestWaitsForItsTurnAFewSecondsAtMost) {
    processes.heldElsewhere = {"rights-test"};
    run("setup");
    EXPECT_EQ(clock.sleptMilliseconds(), 5000);
    EXPECT_EQ(logLines("C:\\").back(), "Slut");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(StartupTest, ExitClosesTheSettingsWindowWithoutStoringIt) {
    useFolder("C:\\Sager\\");
    ui.addAnswers("tray icon 517\ntray menu &Indstillinger\nsettings fldLokaldrev D:\\\\Glemt\\\\\n"
                  "tray icon 517\ntray menu &Afslut\n");
    run("");
    ui.runEventLoop();
    EXPECT_EQ(settings.getSetting("Lexitray", "Drevindstillinger", "Lokalsti", ""), "C:\\Sager\\");
    EXPECT_EQ(state.exchangeFolder, "C:\\Sager\\");
    EXPECT_TRUE(ui.takeEvents().ends_with("tray:unloaded settings:closed"));
}

} // namespace
} // namespace lexi
