// frmOutlook as a Win32 dialog, driven by a small model of its own: the
// folder's items as the model orders them, the tool tips, the selection the
// transfer takes, what each button and way of closing tells the model, and
// the user's resizing, which the model answers with a new layout.

#include "platform/win32/win32_ui.h"
#include "tests/windows/dialog_test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lexi::win32 {
namespace {

using test::pixels;
using test::textOf;

// The dialog's controls, as the resource script numbers them.
constexpr int View = 601;
constexpr int PreviousButton = 602;
constexpr int LookupButton = 603;
constexpr int NextButton = 604;
constexpr int TransferButton = 605;
constexpr int CancelButton = 606;

TransferRow row(std::string from, std::string subject, std::string received) {
    TransferRow r;
    r.itemClass = 43;
    r.from = std::move(from);
    r.subject = std::move(subject);
    r.received = std::move(received);
    r.size = "12 KB";
    return r;
}

// A model as frmOutlook is one: it lays the dialog out for the size the user
// gives, turns to other rows on Næste, and hides the dialog on a transfer,
// a cancel or a close.
class SmallModel final : public TransferDialogEvents {
public:
    SmallModel() {
        state.caption = "Indbakke";
        state.previousTip = "Slettet post";
        state.nextTip = "Sendt post";
        state.rows = {row("Ærø Advokater", "Møde 12.05 - aftale", "12-05-2026 10:07"),
                      row("Karen Hansen", "Re: Svarskrift", "11-05-2026 09:30"),
                      row("Ole", "Frist", "")};
        layOut({300, 200, 10755, 7890});
    }

    void layOut(const TwipsRect& window) {
        state.window = window;
        const int top = window.height - 950;
        state.view = {105, 105, window.width - 325, window.height - 1200};
        state.previousButton = {120, top, 375, 320};
        state.lookupButton = {600, top, 375, 320};
        state.nextButton = {1080, top, 375, 320};
        state.transferButton = {window.width - 2800, top, 1250, 320};
        state.cancelButton = {window.width - 1475, top, 1250, 320};
    }

    void previousClicked() override { events.push_back("previous"); }
    void lookupClicked() override { events.push_back("lookup"); }
    void nextClicked() override {
        events.push_back("next");
        state.caption = "Sendt post";
        state.rows = {row("Mig", "Kopi", "10-05-2026 08:00"), state.rows[0]};
        view->update(state);
    }
    void transferClicked() override {
        std::string transfer = "transfer";
        for (const int selected : view->selectedRows()) {
            transfer += ' ' + std::to_string(selected);
        }
        events.push_back(transfer);
        view->hide();
    }
    void cancelClicked() override {
        events.push_back("cancel");
        view->hide();
    }
    void closeClicked() override {
        events.push_back("close");
        view->hide();
    }
    void resized(const TwipsRect& window, bool minimised) override {
        events.push_back("resized " + std::to_string(window.width) + "x" +
                         std::to_string(window.height) + (minimised ? " minimised" : ""));
        if (!minimised) {
            layOut({window.left, window.top, std::max(window.width, 5000),
                    std::max(window.height, 3000)});
            view->update(state);
        }
    }

    TransferDialogState state;
    TransferDialogView* view = nullptr;
    std::vector<std::string> events;
};

// Shows the dialog of `model` modally over a host window; `act` runs once
// the dialog is there. What the model was told.
std::vector<std::string> show(SmallModel& model, const test::Act& act) {
    Win32Ui ui;
    test::playModal(
        L"Indbakke",
        [&] {
            const auto view =
                ui.openTransferDialog({"Meddelelser", "Opslag", "&Overfør", "Overfør til Navision",
                                       "&Annuller", 5000, 3000},
                                      model);
            model.view = view.get();
            view->update(model.state);
            view->showModal();
        },
        act);
    return model.events;
}

std::vector<std::string> show(const test::Act& act) {
    SmallModel model;
    return show(model, act);
}

std::wstring cellOf(HWND view, int row, int column) {
    wchar_t text[128] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(view, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

// The tool tip the dialog gives one of its controls.
std::wstring toolTipOf(HWND dialog, int control) {
    HWND tip = nullptr;
    do {
        tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr);
    } while (tip && GetWindow(tip, GW_OWNER) != dialog);
    wchar_t text[128] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, control));
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    return text;
}

void selectRows(HWND view, std::initializer_list<int> rows) {
    for (const int row : rows) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageW(view, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void click(HWND dialog, int button) {
    SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
}

TEST(TransferDialogWindowTest, DrawsTheModelsFolderAndLayout) {
    const auto events = show([](HWND dialog, HWND host) {
        EXPECT_FALSE(IsWindowEnabled(host)) << "modal to the host";
        const HWND view = GetDlgItem(dialog, View);
        const HWND header = reinterpret_cast<HWND>(SendMessageW(view, LVM_GETHEADER, 0, 0));
        EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), TransferColumnCount);
        ASSERT_EQ(SendMessageW(view, LVM_GETITEMCOUNT, 0, 0), 3);
        // The rows in the model's order, each field in its column.
        EXPECT_EQ(cellOf(view, 0, FromColumn), L"Ærø Advokater");
        EXPECT_EQ(cellOf(view, 0, SizeColumn), L"12 KB");
        EXPECT_EQ(cellOf(view, 2, SubjectColumn), L"Frist");

        EXPECT_EQ(textOf(GetDlgItem(dialog, TransferButton)), L"&Overfør");
        EXPECT_EQ(toolTipOf(dialog, PreviousButton), L"Slettet post");
        EXPECT_EQ(toolTipOf(dialog, TransferButton), L"Overfør til Navision");

        RECT window, list;
        GetWindowRect(dialog, &window);
        GetWindowRect(view, &list);
        EXPECT_EQ(window.left, pixels(300));
        EXPECT_EQ(window.bottom - window.top, pixels(7890));
        EXPECT_EQ(list.right - list.left, pixels(10755 - 325));
        test::keepScreenshot(dialog, "frmOutlook");
        click(dialog, CancelButton);
    });
    EXPECT_EQ(events, std::vector<std::string>{"cancel"});
}

// Several rows go to the transfer; rows of another folder come unselected.
TEST(TransferDialogWindowTest, TransfersTheSelectedRowsOfTheFolderOnView) {
    const test::Act selectTwo = [](HWND dialog, HWND) {
        selectRows(GetDlgItem(dialog, View), {0, 2});
        click(dialog, TransferButton);
    };
    const test::Act turnAway = [](HWND dialog, HWND) {
        selectRows(GetDlgItem(dialog, View), {1});
        click(dialog, NextButton);
        EXPECT_EQ(textOf(dialog), L"Sendt post");
        EXPECT_EQ(cellOf(GetDlgItem(dialog, View), 0, SubjectColumn), L"Kopi");
        click(dialog, TransferButton);
    };
    EXPECT_EQ(show(selectTwo), std::vector<std::string>{"transfer 0 2"});
    EXPECT_EQ(show(turnAway), (std::vector<std::string>{"next", "transfer"}));
}

TEST(TransferDialogWindowTest, TellsTheModelWhatTheUserDid) {
    const std::pair<test::Act, std::vector<std::string>> cases[] = {
        {[](HWND dialog, HWND) {
             click(dialog, PreviousButton);
             click(dialog, LookupButton);
             click(dialog, CancelButton);
         },
         {"previous", "lookup", "cancel"}},
        // Escape and the close box close.
        {[](HWND dialog, HWND) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }, {"close"}},
        {[](HWND dialog, HWND) { PostMessageW(dialog, WM_CLOSE, 0, 0); }, {"close"}},
        // Enter in the table is OverførKnap.
        {[](HWND dialog, HWND) {
             PostMessageW(GetDlgItem(dialog, View), WM_KEYDOWN, VK_RETURN, 0);
         },
         {"transfer"}},
    };
    for (const auto& [act, told] : cases) {
        EXPECT_EQ(show(act), told);
    }
}

// The user's size reaches the model in twips, never below the smallest the
// model allows; the model's layout follows.
TEST(TransferDialogWindowTest, HandsTheUsersSizeToTheModel) {
    SmallModel model;
    const auto events = show(model, [](HWND dialog, HWND) {
        SetWindowPos(dialog, nullptr, 0, 0, pixels(9000), pixels(6000), SWP_NOMOVE | SWP_NOZORDER);
        RECT list;
        GetWindowRect(GetDlgItem(dialog, View), &list);
        EXPECT_EQ(list.bottom - list.top, pixels(6000 - 1200));
        SetWindowPos(dialog, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
        click(dialog, CancelButton);
    });
    ASSERT_EQ(events.size(), 3u);
    int width = 0;
    int height = 0;
    ASSERT_EQ(std::sscanf(events[0].c_str(), "resized %dx%d", &width, &height), 2);
    EXPECT_NEAR(width, 9000, 15);
    EXPECT_NEAR(height, 6000, 15);
    ASSERT_EQ(std::sscanf(events[1].c_str(), "resized %dx%d", &width, &height), 2);
    EXPECT_GE(width, 5000);
    EXPECT_GE(height, 3000);
    EXPECT_LT(width, 5000 + 30);
}

} // namespace
} // namespace lexi::win32
