#include "platform/cp1252.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/fake/memory_registry.h"
#include "platform/posix/not_installed.h"
#include "platform/registry_settings.h"
#include "tests/support/log_lines.h"
#include "tests/support/recording_ui.h"
#include "tray/startup.h"

#include <gtest/gtest.h>
#include <optional>

namespace lexi {
namespace {

using Lines = std::vector<std::string>;

const std::string Rule = "Her er al kontrol overstået" + std::string(119, 'X');

class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        files.makeFolders("C:\\Sager");
        files.setCurrentFolder("C:\\Arbejde");
        processes.running = {{100, "lexitray.exe"}};
    }

    void run(const std::string& commandLine) {
        state.commandLine = commandLine;
        startup.emplace(platform, state, log);
        startup->Main();
    }

    Lines logLines(const std::string& folder = "C:\\Sager\\") {
        const std::string file = folder + "Lexitray_tester.log";
        return files.exists(file) ? testing::logLineTexts(files.readFile(file)) : Lines{};
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
    posix::NoOutlook outlook;
    posix::NoWord word;
    posix::NoWindows windows;
    Platform platform{registry, settings, files,   processes, shell,
                      ui,       clock,    outlook, word,      windows};
    ProgramState state;
    RunLog log{files, processes, clock};
    std::optional<Startup> startup; // kept with its windows after the request
};

// "kind:event" of every window record.
Lines windowEvents(const testing::RecordingUi& ui) {
    Lines seen;
    for (const auto& record : ui.records) {
        if (record.kind != "msgbox") {
            seen.push_back(record.kind + ":" + record.field("event"));
        }
    }
    return seen;
}

TEST_F(StartupTest, EachRequestLogsItsModeAndShowsItsWindows) {
    struct Case {
        std::string commandLine;
        std::string modeLine;
        Lines windows;
        bool blindCopy = false;
    };
    const Lines startPicture{"tray:loaded", "tray:shown", "tray:unloaded"};
    const Lines monitor{"tray:loaded", "tray:shown", "tray:hidden"};
    const Case cases[] = {
        {"Mail", "Sender mail", startPicture},
        {"MAILBCC", "Sender mail til BCC modtagere", startPicture, true},
        {"mailreply", "Besvarer mail", startPicture},
        {"Setup", "Viser setup-billedet", {"settings:shown"}},
        {"", "Starter Lexitray i overvågningsmode i systemtray", monitor},
        {"C:\\Sager\\brev.docx open",
         "Åbner dokumentet: C:\\Sager\\brev.docx  med kommandoen open",
         {}},
        {"drev=C:\\Sager\\", "Sætter lokaldrevet til C:\\Sager\\ og starter Lexitray i systemtray",
         monitor},
    };
    useFolder("C:\\Sager\\");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        startup.reset();
        files.putFile("C:\\Sager\\Lexitray_tester.log", "");
        ui.records.clear();
        const std::int64_t slept = clock.sleptMilliseconds();
        run(c.commandLine);
        const Lines lines = logLines();
        ASSERT_GE(lines.size(), 7U);
        EXPECT_EQ(Lines(lines.begin(), lines.begin() + 6),
                  (Lines{Rule, "cmdline er ->" + c.commandLine + "<-", "Version 4.13.041", "", "",
                         c.modeLine}));
        EXPECT_EQ(lines.back(), "Slut");
        EXPECT_EQ(windowEvents(ui), c.windows);
        // The start picture and the monitor's tray window are shown a second.
        EXPECT_EQ(clock.sleptMilliseconds() - slept, c.windows.size() == 3 ? 1000 : 0);
        EXPECT_EQ(state.BccModtagere, c.blindCopy);
    }
    // The manual clock's day, 2 January 2026.
    EXPECT_EQ(settings.getSetting("Lexitray", "Splash", "SidstVist", ""), "020126");
}

TEST_F(StartupTest, FallsBackToTheTempFolderButLogsWhereConfigured) {
    // The empty folder would be the working folder, which exists.
    for (const std::string folder : {"C:\\Mangler\\", ""}) {
        useFolder(folder);
        run("mail");
        EXPECT_EQ(state.startupLocalFolder, folder);
        EXPECT_EQ(state.exchangeFolder, "C:\\Temp\\") << folder;
    }
}

TEST_F(StartupTest, DefaultsToDriveCAndDeletesTheOldSection) {
    settings.saveSetting("Lexitray", "Indstillinger", "Gammel", "1");
    run("mail");
    EXPECT_EQ(state.exchangeFolder, "C:\\");
    EXPECT_EQ(logLines("C:\\").back(), "Slut");
    EXPECT_EQ(settings.getSetting("Lexitray", "Indstillinger", "Gammel", "væk"), "væk");
    // The rights test leaves nothing behind.
    EXPECT_EQ(registry.openKey(RegistryRoot::CurrentUser, "Software\\Lexitray\\Temp",
                               RegistryAccess::Read),
              RegistryStatus::NotFound);
    EXPECT_EQ(settings.getSetting("Lexitray", "Version", "Test", "none"), "none");
}

TEST_F(StartupTest, ChangingTheLocalFolderStoresItAsTyped) {
    for (const auto& [line, stored] :
         {std::pair<std::string, std::string>{"DREV=d:\\x\\", "d:\\x\\"},
          {"drev=D:\\Sager\\", "D:\\Sager\\"},
          {"drev=", ""}}) {
        run(line);
        EXPECT_EQ(settings.getSetting("Lexitray", "Drevindstillinger", "Lokalsti", "?"), stored);
        EXPECT_EQ(state.exchangeFolder, stored);
    }
}

TEST_F(StartupTest, StopEndsTheOtherInstancesInTheOrderFoundThenItself) {
    processes.running = {
        {40, "lexitray.exe"}, {100, "LEXITRAY.EXE"}, {7, "other.exe"}, {300, "lexitray.exe"}};
    run("stop");
    EXPECT_EQ(processes.terminated, (std::vector<long>{40, 300, 100}));
}

struct RightsCase {
    const char* name;
    std::string denied; // the key refused; empty: every write fails
    std::string regWrite, vbWrite, regDelete, vbDelete;
};

class MissingRightsTest : public StartupTest, public ::testing::WithParamInterface<RightsCase> {};

TEST_P(MissingRightsTest, ShowsWhatFailedAndEnds) {
    const RightsCase& c = GetParam();
    if (c.denied.empty()) {
        registry.failWrites(RegistryStatus::AccessDenied);
    } else {
        registry.denyAccess(RegistryRoot::CurrentUser, c.denied);
    }
    run("mail");
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back(),
              "Lexitray|0|Du har ikke rettigheder til at skrive\r\ni registreringsdatabasen. Dette "
              "er nødvendigt\r\nfor at Lexitray kan køre. Programmet lukkes!\r\n\r\nUdvidet "
              "meddelelse:\r\n\r\nSkrive i RegDB: " +
                  c.regWrite + "\r\nSkrive i VB området: " + c.vbWrite + "\r\nSlette i RegDB: " +
                  c.regDelete + "\r\nSlette i VB området: " + c.vbDelete + "\r\n");
    // The folder is not known yet: "Slut" goes to the working folder.
    EXPECT_EQ(logLines("C:\\Arbejde\\"), Lines{"Slut"});
    EXPECT_TRUE(state.exchangeFolder.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Stores, MissingRightsTest,
    ::testing::Values(RightsCase{"ReadOnlySettings", "Software\\VB and VBA Program Settings",
                                 "True", "False", "True", "False"},
                      RightsCase{"ReadOnlyRegistry", "Software\\Lexitray", "False", "True", "False",
                                 "True"},
                      RightsCase{"NothingWritable", "", "False", "False", "False", "False"}),
    [](const auto& info) { return info.param.name; });

TEST_F(StartupTest, AMalformedDocumentCommandShowsTheUsage) {
    useFolder("C:\\Sager\\");
    run("brev.docx");
    ASSERT_EQ(ui.messages().size(), 1U);
    EXPECT_EQ(ui.messages()[0],
              "Lexitray|64|Lexitray er blevet kaldt med forkert syntaks. Mulighederne er:\r"
              "LEXITRAY <DOKUMENT> <DDEKommando>\rLEXITRAY MAIL\rLEXITRAY drev=<lokaldrev>\r"
              "LEXITRAY");
    EXPECT_EQ(logLines().back(), "Slut");
}

TEST_F(StartupTest, ASecondMonitorEndsWithoutAWindow) {
    useFolder("C:\\Sager\\");
    processes.heldElsewhere = {"monitor"};
    run("");
    EXPECT_TRUE(ui.records.empty());
    EXPECT_EQ(clock.sleptMilliseconds(), 0);
    EXPECT_EQ(logLines().back(), "Slut");
}

TEST_F(StartupTest, ExitClosesTheSettingsWindowWithoutStoringIt) {
    useFolder("C:\\Sager\\");
    ui.addAnswers("tray icon 517\ntray menu &Indstillinger\nsettings fldLokaldrev D:\\\\Glemt\\\\\n"
                  "tray icon 517\ntray menu &Afslut\n");
    run("");
    ui.runEventLoop();
    EXPECT_EQ(settings.getSetting("Lexitray", "Drevindstillinger", "Lokalsti", ""), "C:\\Sager\\");
    EXPECT_EQ(state.exchangeFolder, "C:\\Sager\\");
    const Lines seen = windowEvents(ui);
    EXPECT_EQ(Lines(seen.end() - 2, seen.end()), (Lines{"tray:unloaded", "settings:closed"}));
}

} // namespace
} // namespace lexi
