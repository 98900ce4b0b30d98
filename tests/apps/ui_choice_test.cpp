// Where a display asks for the desktop's windows and they cannot be loaded,
// the program is told why and the call fails: the scripted UI answers only
// when it is asked for or when there is no display.

#include "apps/lexitray/program_module.h"
#include "apps/lexitray/ui_choice.h"
#include "platform/failure.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(UiChoiceTest, NeverAnswersUnseenForAMissingQtModule) {
    testing::TempFolder noModules;
    setModuleFolders(noModules.str(), ".");
    testing::ScopedVariable wayland{"WAYLAND_DISPLAY", ""};
    // LEXITRAY_UI, DISPLAY ("x:0" is a remote one, always there), and what
    // the program is told.
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"", "x:0", true}, {"qt", "", true}, {"script", "x:0", false}, {"", "", false}};
    for (const auto& [choice, display, failing] : cases) {
        testing::ScopedVariable ui{"LEXITRAY_UI", choice}, x{"DISPLAY", display};
        std::string told;
        const auto chosen = chooseUi(nullptr, [&told](const std::string& why) { told = why; });
        ::testing::internal::CaptureStderr();
        try {
            EXPECT_EQ(chosen->messageBox("Gem?", 4, "Lexitray"), 6) << choice << display;
            EXPECT_FALSE(failing) << choice << display;
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), failure::CannotCreateObject);
            EXPECT_TRUE(failing) << choice << display;
        }
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(told.starts_with("lexitray-qt.so cannot be loaded: "), failing) << told;
        EXPECT_EQ(said.find("lexitray: " + told) != std::string::npos, failing) << said;
    }
}

} // namespace
} // namespace lexi
