#include "library/frm_text.h"
#include "library/pop_up.h"
#include "tests/library/library_fixture.h"

namespace lexi {
namespace {

TEST(CutIntoLinesTest, CutsAsTheHostStoresLines) {
    const std::vector<std::tuple<std::string, int, std::vector<std::string>>> cases = {
        {"abcdefghijkl", 10, {"abcdefghij", "kl"}},
        {"abc\r\n\r\ndef", 10, {"abc", "", "def"}},
        {"ord ord ord ord", 10, {"ord ord ", "ord ", "ord"}},
        {"Første linje\r\n Anden ", 40, {"Første linje", " Anden ", ""}},
        {"", 10, {""}},
        // The host counts UTF-16 units: an emoji takes two, and stays whole.
        {"😀😀😀😀😀😀😀😀😀😀😀😀", 10, {"😀😀😀😀😀", "😀😀😀😀😀", "😀😀"}},
        {"ab😀😀😀😀😀", 5, {"ab😀", "😀😀", "😀😀"}},
    };
    for (const auto& [text, recLen, lines] : cases) {
        EXPECT_EQ(cutIntoLines(text, recLen), lines) << text;
    }
    EXPECT_THROW(cutIntoLines("a b", -1), Failure);
}

class PopUpTest : public testing::LibraryTest {
protected:
    std::int32_t show(std::int16_t readOnly, const char* answers) {
        ui.addAnswers(answers);
        std::int16_t width = 5000;
        std::int16_t height = 3000;
        return popUp.ShowTextBox("Noter", readOnly, width, height, 10);
    }
    LibraryState& state = library.state();
    PopUp popUp{state, ui};
};

TEST_F(PopUpTest, PutTextBuildsTheBuffer) {
    popUp.InitText(3);
    popUp.PutText("Første linje", 1);
    popUp.PutText("Anden linje", 0);
    EXPECT_EQ(state.TextBuffer, "Første linje\r\n Anden linje ");
    EXPECT_EQ(popUp.GetText(3), "");
}

TEST_F(PopUpTest, LayoutFollowsTheSizeAndTheMode) {
    std::int16_t readOnly = 5, width = 1000, height = 1000;
    popUp.ShowTextBox("Noter", readOnly, width, height, 10);
    EXPECT_EQ(std::tie(readOnly, width, height), std::make_tuple(1, 4000, 2000));
    const TextWindowContent locked = frmText(state, "T", 1, 4000, 2000).content();
    EXPECT_EQ(std::make_tuple(locked.locked, locked.okVisible, locked.cancelCaption),
              std::make_tuple(true, false, std::string("OK")));
    const TextWindowContent open = frmText(state, "T", -1, 6000, 4000).content();
    EXPECT_EQ(std::make_tuple(open.locked, open.okVisible, open.textBox.width, open.textBox.height,
                              open.cancelButton.left, open.okButton.left, open.okButton.top),
              std::make_tuple(false, true, 5775, 2935, 4600, 3250, 3080));
}

TEST_F(PopUpTest, OnlyOkAcceptsAndEverythingElseKeepsThePreviousLines) {
    popUp.PutText("abcdefghijkl", 0);
    // The buffer's final space leaves an empty last line.
    EXPECT_EQ(show(0, "textbox OK"), 3);
    EXPECT_EQ(popUp.GetText(2), "kl ");
    const std::vector<std::pair<std::int16_t, const char*>> refusals = {
        {0, "textbox Annuller"},
        {0, "textbox escape"},
        {0, "textbox close"},
        {1, "textbox text ny\ntextbox OK"}};
    for (const auto& [readOnly, answers] : refusals) {
        state.TextBuffer = "noget";
        EXPECT_EQ(show(readOnly, answers), 0) << answers;
        EXPECT_EQ(state.TextBuffer, "") << answers;
        EXPECT_EQ(popUp.GetText(1), "abcdefghij") << answers;
    }
    // The last word goes to a line of its own.
    EXPECT_EQ(show(0, "textbox text en to\ntextbox OK"), 2);
    EXPECT_EQ(popUp.GetText(1) + "|" + popUp.GetText(2), "en |to");
}

} // namespace
} // namespace lexi
