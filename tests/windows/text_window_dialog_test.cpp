// frmText as a Win32 dialog: its sizes from the model's twips, its read-only
// state, and what each way of closing it tells the model. The test plays the
// user from a timer while the dialog runs modally over a window of its own.

#include "platform/win32/win32_ui.h"
#include "tests/windows/dialog_test_support.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lexi::win32 {
namespace {

using test::pixels;
using test::textOf;

// The dialog's controls, as the resource script numbers them.
constexpr int TextBox = 301;
constexpr int OkButton = 302;
constexpr int CancelButton = 303;

class RecordedEvents final : public TextWindowEvents {
public:
    void okClicked(const std::string& text) override { events.push_back("ok " + text); }
    void cancelClicked() override { events.push_back("cancel"); }
    void escapePressed() override { events.push_back("escape"); }
    void closeClicked() override { events.push_back("close"); }
    std::vector<std::string> events;
};

TextWindowContent content(bool locked) {
    TextWindowContent c;
    c.title = "Noter";
    c.text = "Første linje\r\nAnden linje";
    c.width = 5000;
    c.height = 3000;
    c.textBox = {60, 60, 4775, 1935};
    c.okButton = {2250, 2080, 1250, 320};
    c.cancelButton = {3600, 2080, 1250, 320};
    c.locked = locked;
    c.okVisible = !locked;
    c.okCaption = "OK";
    c.cancelCaption = locked ? "OK" : "Annuller";
    return c;
}

// Shows the dialog modally over a host window; `act` runs once the dialog
// is there.
std::vector<std::string> show(const TextWindowContent& shown, const test::Act& act) {
    RecordedEvents events;
    Win32Ui ui;
    test::playModal(
        L"Noter", [&] { ui.showTextWindow(shown, events); }, act);
    return events.events;
}

TEST(TextWindowDialogTest, TakesTheHostsSizeAndHandsTheEditedTextToTheModel) {
    const auto events = show(content(false), [](HWND dialog, HWND host) {
        test::keepScreenshot(dialog, "frmText");
        RECT window, box;
        GetWindowRect(dialog, &window);
        GetWindowRect(GetDlgItem(dialog, TextBox), &box);
        EXPECT_EQ(window.right - window.left, pixels(5000));
        EXPECT_EQ(box.right - box.left, pixels(4775));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, OkButton)));
        EXPECT_EQ(textOf(GetDlgItem(dialog, TextBox)), L"Første linje\r\nAnden linje");
        EXPECT_FALSE(GetWindowLongW(GetDlgItem(dialog, TextBox), GWL_STYLE) & ES_READONLY);
        EXPECT_FALSE(IsWindowEnabled(host)) << "modal to the host";
        SetWindowTextW(GetDlgItem(dialog, TextBox), L"Ny tekst\r\nmed æ");
        SendMessageW(GetDlgItem(dialog, OkButton), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(events, std::vector<std::string>{"ok Ny tekst\r\nmed æ"});
}

TEST(TextWindowDialogTest, ReadOnlyShowsOneButtonCaptionedOk) {
    const auto events = show(content(true), [](HWND dialog, HWND) {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, OkButton)));
        EXPECT_EQ(textOf(GetDlgItem(dialog, CancelButton)), L"OK");
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, TextBox), GWL_STYLE) & ES_READONLY);
        SendMessageW(GetDlgItem(dialog, CancelButton), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(events, std::vector<std::string>{"cancel"});
}

TEST(TextWindowDialogTest, EscapeAndTheCloseBoxCloseWithoutAccepting) {
    const std::pair<test::Act, const char*> cases[] = {
        {[](HWND dialog, HWND) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }, "escape"},
        // The text box passes Escape on to its dialog as a close.
        {[](HWND dialog, HWND) {
             PostMessageW(GetDlgItem(dialog, TextBox), WM_KEYDOWN, VK_ESCAPE, 0);
         },
         "close"},
        {[](HWND dialog, HWND) { PostMessageW(dialog, WM_CLOSE, 0, 0); }, "close"},
    };
    for (const auto& [act, event] : cases) {
        EXPECT_EQ(show(content(false), act), std::vector<std::string>{event});
    }
}

} // namespace
} // namespace lexi::win32
