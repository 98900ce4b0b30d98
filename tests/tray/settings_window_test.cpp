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
        state.exchangeFolder = "C:\\Sager\\";
        state.startupLocalFolder = "C:\\Sager\\";
        log.setFolder(state.startupLocalFolder);
    }

    std::string stored(const char* key) {
        return settings.getSetting("Lexitray", "Drevindstillinger", key, "<none>");
    }
    script::Record shown() const {
        for (const auto& record : ui.records) {
            if (record.kind == "settings" && record.field("event") == "shown") {
                return record;
            }
        }
        return {};
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

TEST_F(SettingsWindowTest, ShowsTheFolderInEffectAndTheSwitch) {
    const std::pair<std::string, std::string> cases[] = {{"<none>", "1"}, {"1", "1"},    {"0", "0"},
                                                         {"ja", "0"},     {"True", "0"}, {"", "0"}};
    for (const auto& [value, ticked] : cases) {
        if (value != "<none>") {
            settings.saveSetting("Lexitray", "Drevindstillinger", "BenytMailHistorik", value);
        }
        ui.records.clear();
        window.show();
        EXPECT_EQ(shown().field("CheckMailHistorik"), ticked) << value;
        EXPECT_EQ(shown().field("fldLokaldrev"), "C:\\Sager\\");
        EXPECT_EQ(shown().field("title"), "Lexitray");
        window.unload();
    }
}

TEST_F(SettingsWindowTest, OkStoresAsTypedAndTheProcessTakesTheFolderAtOnce) {
    const struct {
        std::optional<std::string> typed; // none: nothing typed
        bool ticked;
        std::string folder, mailHistory;
    } cases[] = {{std::nullopt, true, "C:\\Sager\\", "1"},
                 {"D:\\Sager\\", true, "D:\\Sager\\", "1"},
                 {"D:\\uden skråstreg", false, "D:\\uden skråstreg", "0"},
                 {"", true, "", "1"}};
    for (const auto& c : cases) {
        window.show();
        if (c.typed) {
            window.folderEdited(*c.typed);
            window.mailHistoryTicked(c.ticked);
            window.show(); // showing it again keeps what was typed
        }
        window.okClicked();
        EXPECT_EQ(stored("Lokalsti"), c.folder);
        EXPECT_EQ(stored("BenytMailHistorik"), c.mailHistory);
        EXPECT_EQ(state.exchangeFolder, c.folder);
        EXPECT_EQ(state.startupLocalFolder, "C:\\Sager\\");
        EXPECT_EQ(log.folder(), "C:\\Sager\\");
        EXPECT_FALSE(window.isLoaded());
    }
}

TEST_F(SettingsWindowTest, ClosingOtherwiseStoresNothingAndAFailedStoreKeepsTheWindow) {
    window.show();
    window.folderEdited("D:\\Andet\\");
    window.mailHistoryTicked(false);
    window.closeClicked();
    EXPECT_FALSE(window.isLoaded());
    EXPECT_EQ(stored("Lokalsti") + stored("BenytMailHistorik"), "<none><none>");
    EXPECT_EQ(ui.records.back().toLine(), "settings\tevent=closed");
    window.show();
    window.folderEdited("D:\\Ny\\");
    registry.failWrites(RegistryStatus::AccessDenied);
    window.okClicked();
    ASSERT_EQ(ui.messages().size(), 1U);
    EXPECT_TRUE(ui.messages()[0].starts_with("Lexitray|16|Fejl i Okknap_Click: "))
        << ui.messages()[0];
    EXPECT_TRUE(window.isLoaded());
    EXPECT_EQ(state.exchangeFolder, "C:\\Sager\\");
}

} // namespace
} // namespace lexi
