// frmFlet and frmMakingPDF as Win32 dialogs: their layouts from the models'
// twips, the naming dialog's masked password and place above all windows,
// what the user's edits, keys and clicks tell the model, and the progress
// window's cancel taken while a wait lets pending messages run. The user is
// played from a timer while the naming dialog runs modally.

#include "platform/win32/win32_ui.h"
#include "shared/pdfwriter/frm_making_pdf.h"
#include "tests/windows/dialog_test_support.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lexi::win32 {
namespace {

using test::pixels;
using test::textOf;

// The controls, as the resource script numbers them.
constexpr int Name = 405;
constexpr int Password = 408;
constexpr int UseTemplate = 409;
constexpr int Ok = 412;
constexpr int Cancel = 501;

// A control's place in its dialog's inner area.
POINT placeOf(HWND dialog, int id) {
    RECT box;
    GetWindowRect(GetDlgItem(dialog, id), &box);
    POINT corner{box.left, box.top};
    ScreenToClient(dialog, &corner);
    return corner;
}

// The model's part: records what the view tells it, follows the name with
// the PDF controls and hides the dialog on OK and on the close box.
class RecordingModel final : public NamingDialogEvents {
public:
    void nameEdited(const std::string& name) override {
        events.push_back("name " + name);
        state.name = name;
        state.pdfEnabled = state.templateEnabled = state.pdfBoxesLikeName = name.ends_with(".pdf");
        view->update(state);
    }
    void passwordEdited(const std::string& password) override {
        events.push_back("password " + password);
    }
    void templateEdited(const std::string& path) override { events.push_back("template " + path); }
    void cleanTicked(bool ticked) override { events.push_back(ticked ? "clean" : "not clean"); }
    void useTemplateClicked(bool ticked) override {
        events.push_back(ticked ? "template on" : "template off");
    }
    void lookupClicked() override { events.push_back("lookup"); }
    void okClicked() override {
        events.push_back("ok");
        view->hide();
    }
    void functionKey(int number) override { events.push_back("F" + std::to_string(number)); }
    void closeClicked() override {
        events.push_back("close");
        view->hide();
    }

    NamingDialogView* view = nullptr;
    NamingDialogState state;
    std::vector<std::string> events;
};

NamingDialogContent content(bool pdfWriterInstalled) {
    return {"Lexitray",
            "Checker og fletter dokumenter til vedhæftning..........",
            "Vedhæft som filnavn",
            "&Rens dokument ifm. afsendelse",
            "Konvertere dokumentet til doc",
            "PDF password",
            "Password til at åbne dokumentet.",
            "Brug &PDF baggrund",
            "&OK",
            pdfWriterInstalled ? 4000 : 2400,
            pdfWriterInstalled ? 3100 : 1500,
            3500,
            pdfWriterInstalled};
}

using Act = std::function<void(HWND dialog)>;
// Loads the dialog, shows it modally with the name "brev.docx" and runs
// `act` once it is up; the model's record.
std::vector<std::string> showNaming(bool pdfWriterInstalled, Act act) {
    Win32Ui ui;
    RecordingModel model;
    const auto view = ui.openNamingDialog(content(pdfWriterInstalled), model);
    model.view = view.get();
    model.state.name = "brev.docx";
    model.state.selectionLength = 4;
    view->update(model.state);
    const test::PlayedUser user(L"Lexitray", act);
    view->showModal();
    return model.events;
}

TEST(NamingDialogTest, DrawsThePdfLayoutAndForwardsWhatTheUserDoes) {
    const auto events = showNaming(true, [](HWND dialog) {
        RECT window;
        GetWindowRect(dialog, &window);
        EXPECT_EQ(window.bottom - window.top, pixels(4000));
        EXPECT_EQ(placeOf(dialog, Ok).x, pixels(3500));
        EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, Password), GWL_STYLE) & ES_PASSWORD);
        EXPECT_EQ(textOf(GetDlgItem(dialog, Name)), L"brev.docx");
        DWORD start = 0, end = 0;
        SendMessageW(GetDlgItem(dialog, Name), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(end - start, 4u);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, Password)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, Password)));

        SetWindowTextW(GetDlgItem(dialog, Name), L"bilag æ.pdf");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, Password))) << "the model's state drawn";
        test::keepScreenshot(dialog, "frmFlet");
        SendMessageW(GetDlgItem(dialog, UseTemplate), BM_CLICK, 0, 0);
        PostMessageW(GetDlgItem(dialog, Name), WM_KEYDOWN, VK_F2, 0);
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        PostMessageW(GetDlgItem(dialog, Ok), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(events, (std::vector<std::string>{"name bilag æ.pdf", "template on", "F2", "ok"}));
}

TEST(NamingDialogTest, WithoutThePdfWriterIsLowerAndClosesThroughItsFrame) {
    const auto events = showNaming(false, [](HWND dialog) {
        test::keepScreenshot(dialog, "frmFlet-without-pdf-writer");
        RECT window;
        GetWindowRect(dialog, &window);
        EXPECT_EQ(window.bottom - window.top, pixels(2400));
        EXPECT_EQ(placeOf(dialog, Ok).y, pixels(1500));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, Password)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, UseTemplate)));
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(events, std::vector<std::string>{"close"});
}

TEST(MakingPdfWindowTest, ItsCancelIsTakenWhileTheWaitLetsMessagesRun) {
    const std::pair<const char*, std::function<void(HWND)>> ways[] = {
        {"button",
         [](HWND window) {
             PostMessageW(GetDlgItem(window, Cancel), BM_CLICK, 0, 0);
         }},
        {"close box",
         [](HWND window) {
             PostMessageW(window, WM_CLOSE, 0, 0);
         }},
    };
    for (const auto& [way, cancel] : ways) {
        Win32Ui ui;
        frmMakingPDF model(ui);
        EXPECT_FALSE(model.poll()) << way;
        const HWND window = FindWindowW(L"#32770", L"Lexitray");
        ASSERT_TRUE(window && IsWindowVisible(window)) << way;
        EXPECT_EQ(textOf(GetDlgItem(window, Cancel)), L"Annuller");
        test::keepScreenshot(window, "frmMakingPDF");
        cancel(window);
        EXPECT_TRUE(model.poll()) << way;
        EXPECT_TRUE(IsWindow(window)) << way << ": the window stays until the wait ends";
        model.unload();
        EXPECT_FALSE(IsWindow(window)) << way;
    }
}

} // namespace
} // namespace lexi::win32
