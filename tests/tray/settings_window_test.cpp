#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/fake/memory_registry.h"
#include "platform/registry_settings.h"
#include "tests/support/recording_ui.h"
#include "tray/settings_window.h"

#include <gtest/gtest.h>
#include <optional>

namespace lexi {
namespace {

class SettingsWindowTest : public ::testing::Test {
protected:
    SettingsWindowTest() {
        state.exchangeFolder = state.startupLocalFolder = "C:\\Sager\\";
        log.setFolder(state.startupLocalFolder);
    }

    // The stored folder and mail history switch, the folder in effect and
    // whether the window is loaded.
    std::string outcome() {
        return settings.getSetting("Lexitray", "Drevindstillinger", "Lokalsti", "<none>") + "|" +
               settings.getSetting("Lexitray", "Drevindstillinger", "BenytMailHistorik", "<none>") +
               "|" + state.exchangeFolder + (window.isLoaded() ? "|loaded" : "");
    }

    fake::MemoryRegistry registry;
    RegistrySettings settings{registry};
    fake::MemoryFileSystem files;
    fake::FakeProcesses processes;
    fake::ManualClock clock;
    RunLog log{files, processes, clock};
    testing::RecordingUi ui;
    ProgramState state;
    SettingsWindow window{ui, settings, state, log};
};

TEST_F(SettingsWindowTest, ShowsTheFolderInEffectAndTheSwitchTickedUnlessStoredOtherThan1) {
    std::string ticks;
    // Each value is stored after the window showed the one before; nothing at first.
    for (const char* next : {"1", "0", "ja", "True", "", ""}) {
        window.show();
        EXPECT_EQ(ui.records.back().field("fldLokaldrev"), "C:\\Sager\\");
        ticks += ui.records.back().field("CheckMailHistorik");
        window.unload();
        settings.saveSetting("Lexitray", "Drevindstillinger", "BenytMailHistorik", next);
    }
    EXPECT_EQ(ticks, "110000");
}

TEST_F(SettingsWindowTest, OkStoresAsTypedAndTheProcessTakesTheFolderAtOnceClosingStoresNothing) {
    // What is typed (none: nothing) and the outcome; the switch is ticked as stored.
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, "C:\\Sager\\|1|C:\\Sager\\"},
        {"D:\\Sager\\", "D:\\Sager\\|1|D:\\Sager\\"},
        {"D:\\uden skråstreg", "D:\\uden skråstreg|0|D:\\uden skråstreg"},
        {"", "|1|"},
    };
    for (const auto& [typed, expected] : cases) {
        window.show();
        if (typed) {
            window.folderEdited(*typed);
            window.mailHistoryTicked(expected[expected.find('|') + 1] == '1');
            window.show(); // showing it again keeps what was typed
        }
        window.okClicked();
        EXPECT_EQ(outcome(), expected);
        EXPECT_EQ(state.startupLocalFolder + "|" + log.folder(), "C:\\Sager\\|C:\\Sager\\");
    }
    window.show();
    window.folderEdited("D:\\Andet\\");
    window.mailHistoryTicked(false);
    window.closeClicked();
    EXPECT_EQ(outcome(), "|1|");
    // A store that fails keeps the window and the folder.
    window.show();
    window.folderEdited("D:\\Ny\\");
    registry.failWrites(RegistryStatus::AccessDenied);
    window.okClicked();
    EXPECT_TRUE(ui.messages().size() == 1 &&
                ui.messages()[0].starts_with("Lexitray|16|Fejl i Okknap_Click: "));
    EXPECT_EQ(outcome(), "|1||loaded");
}

} // namespace
} // namespace lexi
