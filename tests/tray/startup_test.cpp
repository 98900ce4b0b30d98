#include "platform/cp1252.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_registry.h"
#include "platform/posix/not_installed.h"
#include "platform/posix/posix_filesystem.h"
#include "platform/registry_settings.h"
#include "tests/support/log_lines.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"
#include "tray/startup.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string Rule = "Her er al kontrol overstået" + std::string(119, 'X');

class StartupTest : public ::testing::Test {
protected:
    StartupTest() {
        fs::create_directories(root.path() / "c" / "Sager");
        fs::create_directories(root.path() / "tmp");
        processes.running = {{100, "lexitray.exe"}};
    }

    void run(const std::string& commandLine) {
        state.commandLine = commandLine;
        Startup(platform, state, log).Main();
    }

    Lines logLines(const fs::path& file) { return testing::logLineTexts(file); }
    Lines logLines() { return logLines(root.path() / "c" / "Sager" / "Lexitray_tester.log"); }

    void useFolder(const std::string& folder) {
        settings.saveSetting("Lexitray", "Drevindstillinger", "Lokalsti", folder);
    }

    testing::TempFolder root;
    fake::MemoryRegistry registry;
    RegistrySettings settings{registry};
    posix::PosixFileSystem files{posix::DriveTable({{'C', root.str() + "/c"}, {'Z', "/"}})};
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
};

TEST_F(StartupTest, LogsItsLinesAndTheModesLineThenRunsTheMailRequest) {
    useFolder("C:\\Sager\\");
    run("Mail");
    const Lines lines = logLines();
    ASSERT_GE(lines.size(), 8U);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 7),
              (Lines{Rule, "cmdline er ->Mail<-", "Version 4.13.041", "", "", "Sender mail",
                     "Starting new instance of NaviMail Procedure"}));
    EXPECT_EQ(lines.back(), "Slut");
    EXPECT_FALSE(state.BccModtagere);
}

struct ModeLineCase {
    std::string commandLine;
    std::string line;
};

void PrintTo(const ModeLineCase& c, std::ostream* os) {
    *os << "[" << c.commandLine << "]";
}

class ModeLineTest : public StartupTest, public ::testing::WithParamInterface<ModeLineCase> {};

TEST_P(ModeLineTest, WritesASeparatorAndTheModesLine) {
    useFolder("C:\\Sager\\");
    run(GetParam().commandLine);
    const Lines lines = logLines();
    ASSERT_GE(lines.size(), 7U);
    EXPECT_EQ(Lines(lines.begin() + 3, lines.begin() + 6), (Lines{"", "", GetParam().line}));
    EXPECT_EQ(lines.back(), "Slut");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ModeLineTest,
    ::testing::Values(ModeLineCase{"MAILBCC", "Sender mail til BCC modtagere"},
                      ModeLineCase{"mailreply", "Besvarer mail"},
                      ModeLineCase{"Setup", "Viser setup-billedet"},
                      ModeLineCase{"", "Starter Lexitray i overvågningsmode i systemtray"},
                      ModeLineCase{"C:\\Sager\\brev.docx open",
                                   "Åbner dokumentet: C:\\Sager\\brev.docx  med kommandoen open"},
                      ModeLineCase{
                          "drev=C:\\Sager\\",
                          "Sætter lokaldrevet til C:\\Sager\\ og starter Lexitray i systemtray"}));

TEST_F(StartupTest, TheBlindCopyModeSetsItsFlag) {
    run("mailbcc");
    EXPECT_TRUE(state.BccModtagere);
}

TEST_F(StartupTest, FallsBackToTheTempFolderButLogsWhereConfigured) {
    // The empty folder would be the working folder, which exists.
    const fs::path previous = fs::current_path();
    fs::current_path(root.path() / "tmp");
    for (const std::string folder : {"C:\\Mangler\\", ""}) {
        useFolder(folder);
        run("mail");
        EXPECT_EQ(state.startupLocalFolder, folder);
        EXPECT_EQ(state.exchangeFolder, files.tempFolder() + "\\") << folder;
    }
    fs::current_path(previous);
}

TEST_F(StartupTest, DefaultsToDriveCAndDeletesTheOldSection) {
    settings.saveSetting("Lexitray", "Indstillinger", "Gammel", "1");
    run("mail");
    EXPECT_EQ(state.exchangeFolder, "C:\\");
    EXPECT_EQ(logLines(root.path() / "c" / "Lexitray_tester.log").back(), "Slut");
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
    std::function<void(fake::MemoryRegistry&)> lock;
    std::string regWrite, vbWrite, regDelete, vbDelete;
};

class MissingRightsTest : public StartupTest, public ::testing::WithParamInterface<RightsCase> {};

TEST_P(MissingRightsTest, ShowsWhatFailedAndEnds) {
    GetParam().lock(registry);
    const fs::path previous = fs::current_path();
    fs::current_path(root.path() / "tmp");
    run("mail");
    fs::current_path(previous);
    const std::string message =
        "Du har ikke rettigheder til at skrive\r\ni registreringsdatabasen. Dette er "
        "nødvendigt\r\nfor at Lexitray kan køre. Programmet lukkes!\r\n\r\nUdvidet "
        "meddelelse:\r\n\r\nSkrive i RegDB: " +
        GetParam().regWrite + "\r\nSkrive i VB området: " + GetParam().vbWrite +
        "\r\nSlette i RegDB: " + GetParam().regDelete +
        "\r\nSlette i VB området: " + GetParam().vbDelete + "\r\n";
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back(), "Lexitray|0|" + message);
    // The folder is not known yet: "Slut" goes to the working folder.
    EXPECT_EQ(logLines(root.path() / "tmp" / "Lexitray_tester.log"), Lines{"Slut"});
    EXPECT_TRUE(state.exchangeFolder.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Stores, MissingRightsTest,
    ::testing::Values(RightsCase{"ReadOnlySettings",
                                 [](fake::MemoryRegistry& r) {
                                     r.denyAccess(RegistryRoot::CurrentUser,
                                                  "Software\\VB and VBA Program Settings");
                                 },
                                 "True", "False", "True", "False"},
                      RightsCase{"ReadOnlyRegistry",
                                 [](fake::MemoryRegistry& r) {
                                     r.denyAccess(RegistryRoot::CurrentUser, "Software\\Lexitray");
                                 },
                                 "False", "True", "False", "True"},
                      RightsCase{"NothingWritable",
                                 [](fake::MemoryRegistry& r) {
                                     r.failWrites(RegistryStatus::AccessDenied);
                                 },
                                 "False", "False", "False", "False"}),
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

// The windows of start-up: the start picture, the monitor mode, the settings.
class StartupWindowsTest : public StartupTest {
protected:
    StartupWindowsTest() { useFolder("C:\\Sager\\"); }

    // Runs the request and then its windows until they are gone, as the
    // program does.
    void runWithWindows(const std::string& commandLine, std::string_view script) {
        ui.addAnswers(script);
        state.commandLine = commandLine;
        Startup startup(platform, state, log);
        startup.Main();
        ui.runEventLoop();
    }

    // "kind:event" of every window record.
    Lines windowEvents() const {
        Lines seen;
        for (const auto& record : ui.records) {
            if (record.kind != "msgbox") {
                seen.push_back(record.kind + ":" + record.field("event"));
            }
        }
        return seen;
    }
};

TEST_F(StartupWindowsTest, MailModesShowTheStartPictureForOneSecond) {
    for (const char* mode : {"mail", "MAILBCC", "mailreply"}) {
        ui.records.clear();
        const std::int64_t slept = clock.sleptMilliseconds();
        run(mode);
        EXPECT_EQ(windowEvents(), (Lines{"tray:loaded", "tray:shown", "tray:unloaded"})) << mode;
        EXPECT_EQ(clock.sleptMilliseconds() - slept, 1000) << mode;
        // The manual clock's day, 2 January 2026.
        EXPECT_EQ(settings.getSetting("Lexitray", "Splash", "SidstVist", ""), "020126");
    }
}

TEST_F(StartupWindowsTest, TheMonitorShowsTheTrayWindowForASecondAndKeepsItLoaded) {
    for (const char* mode : {"", "drev=C:\\Sager\\"}) {
        ui.records.clear();
        state.commandLine = mode;
        Startup startup(platform, state, log);
        startup.Main();
        EXPECT_EQ(windowEvents(), (Lines{"tray:loaded", "tray:shown", "tray:hidden"})) << mode;
        EXPECT_TRUE(startup.trayWindow().isLoaded());
        EXPECT_EQ(logLines().back(), "Slut");
    }
    EXPECT_EQ(clock.sleptMilliseconds(), 2000);
}

TEST_F(StartupWindowsTest, ASecondMonitorEndsWithoutAWindow) {
    processes.running = {{40, "lexitray.exe"}, {100, "lexitray.exe"}};
    run("");
    EXPECT_TRUE(ui.records.empty());
    EXPECT_EQ(clock.sleptMilliseconds(), 0);
    EXPECT_EQ(logLines().back(), "Slut");
}

TEST_F(StartupWindowsTest, SetupLivesUntilTheSettingsWindowCloses) {
    runWithWindows("setup", "settings CheckMailHistorik 0\nsettings OK\n");
    EXPECT_EQ(windowEvents(), (Lines{"settings:shown", "settings:closed"}));
    EXPECT_EQ(settings.getSetting("Lexitray", "Drevindstillinger", "BenytMailHistorik", ""), "0");
    // "Slut" is written as soon as the window is up.
    EXPECT_EQ(logLines().back(), "Slut");
}

TEST_F(StartupWindowsTest, NewFolderFromTheTrayMenuTakesEffectAtOnceButNotForLabelOrLog) {
    runWithWindows("", "tray menu &Indstillinger\n"
                       "settings fldLokaldrev C:\\\\Ny\\\\\n"
                       "settings OK\n"
                       "tray menu &Om\n"
                       "tray menu &Afslut\n");
    EXPECT_EQ(state.exchangeFolder, "C:\\Ny\\");
    EXPECT_EQ(log.folder(), "C:\\Sager\\");
    EXPECT_EQ(ui.records[ui.records.size() - 2].field("lbllokaldrev"), "Drev: C:\\Sager\\");
    EXPECT_EQ(ui.records.back().field("event"), "unloaded");
}

TEST_F(StartupWindowsTest, ExitClosesTheSettingsWindowWithoutStoringIt) {
    runWithWindows("", "tray icon 517\n"
                       "tray menu &Indstillinger\n"
                       "settings fldLokaldrev D:\\\\Glemt\\\\\n"
                       "tray icon 517\n"
                       "tray menu &Afslut\n");
    EXPECT_EQ(settings.getSetting("Lexitray", "Drevindstillinger", "Lokalsti", ""), "C:\\Sager\\");
    EXPECT_EQ(state.exchangeFolder, "C:\\Sager\\");
    const Lines seen = windowEvents();
    EXPECT_EQ(Lines(seen.end() - 2, seen.end()), (Lines{"tray:unloaded", "settings:closed"}));
}

} // namespace
} // namespace lexi
