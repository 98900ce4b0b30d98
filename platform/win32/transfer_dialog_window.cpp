#include "platform/win32/transfer_dialog_window.h"

#include "platform/outlook.h"
#include "platform/win32/item_symbols.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ui.h"

#include <algorithm>
#include <optional>

namespace lexi::win32 {
namespace {

// The symbol shown in place of a narrow column's heading.
constexpr std::optional<ItemSymbol> HeadingSymbols[] = {
    std::nullopt,       ItemSymbol::HighImportance,
    ItemSymbol::Mail,   ItemSymbol::Attachment,
    std::nullopt,       std::nullopt,
    std::nullopt,       std::nullopt,
    ItemSymbol::Flagged};
static_assert(std::size(HeadingSymbols) == TransferColumnCount);

// The list view's font, in points, and the navigation buttons' symbols: the
// arrows of Marlett and the open folder of Wingdings, fonts every Windows
// has.
constexpr int ViewPoints = 8;
constexpr int SymbolPoints = 10;
constexpr const wchar_t* PreviousArrow = L"3";
constexpr const wchar_t* NextArrow = L"4";
constexpr const wchar_t* OpenFolder = L"1";

HFONT font(int height, const wchar_t* face, BYTE charSet) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charSet,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

void setCell(HWND view, int row, int column, const std::string& text,
             std::optional<ItemSymbol> symbol = std::nullopt) {
    std::wstring wide = toWide(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | (symbol ? LVIF_IMAGE : 0);
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = wide.data();
    item.iImage = symbol ? static_cast<int>(*symbol) : 0;
    SendMessageW(view, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::optional<ItemSymbol> importanceSymbol(int importance) {
    switch (importance) {
    case outlook::ImportanceHigh:
        return ItemSymbol::HighImportance;
    case outlook::ImportanceLow:
        return ItemSymbol::LowImportance;
    default:
        return std::nullopt;
    }
}

std::optional<ItemSymbol> flagSymbol(int flagStatus) {
    switch (flagStatus) {
    case outlook::FlagMarked:
        return ItemSymbol::Flagged;
    case outlook::FlagComplete:
        return ItemSymbol::FlagComplete;
    default:
        return std::nullopt;
    }
}

} // namespace

TransferDialogWindow::TransferDialogWindow(MessageLoop& loop, const TransferDialogContent& content,
                                           TransferDialogEvents& events, HWND owner)
    : DialogWindow(loop), events_(events), owner_(owner), minimumWidth_(content.minimumWidth),
      minimumHeight_(content.minimumHeight) {
    if (loadCommonControls(ICC_LISTVIEW_CLASSES) && create(L"FRMOUTLOOK", owner)) {
        setUpView(content);
        setUpButtons(content);
    }
}

TransferDialogWindow::~TransferDialogWindow() {
    // The window and its controls first, then what they show.
    destroy();
    if (symbols_) {
        destroyItemSymbols(symbols_);
    }
    for (HFONT made : {viewFont_, arrowFont_, folderFont_}) {
        if (made) {
            DeleteObject(made);
        }
    }
}

HWND TransferDialogWindow::view() const {
    return control(IDC_OUTLOOK_OLVIEW);
}

void TransferDialogWindow::setUpView(const TransferDialogContent& content) {
    setText(IDC_OUTLOOK_OLVIEW, content.viewName);
    viewFont_ = font(pixels(ViewPoints * 20), L"Tahoma", DEFAULT_CHARSET);
    SendMessageW(view(), WM_SETFONT, reinterpret_cast<WPARAM>(viewFont_), FALSE);
    SendMessageW(view(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES);
    const int symbolSize = GetSystemMetrics(SM_CXSMICON);
    symbols_ = makeItemSymbols(symbolSize);
    SendMessageW(view(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(symbols_));
    const HWND header = reinterpret_cast<HWND>(SendMessageW(view(), LVM_GETHEADER, 0, 0));
    SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(symbols_));

    for (int index = 0; index < TransferColumnCount; ++index) {
        const TransferColumn& column = TransferColumns[index];
        const std::optional<ItemSymbol> symbol = HeadingSymbols[index];
        std::wstring heading = symbol ? std::wstring() : toWide(column.heading);
        LVCOLUMNW added{};
        added.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        added.fmt = index == SizeColumn ? LVCFMT_RIGHT : LVCFMT_LEFT;
        added.pszText = heading.data();
        const int headingWidth =
            static_cast<int>(SendMessageW(view(), LVM_GETSTRINGWIDTHW, 0,
                                          reinterpret_cast<LPARAM>(heading.c_str()))) +
            pixels(180);
        added.cx = std::max(
            {MulDiv(column.width, pixels(1440), 96), headingWidth, symbolSize + pixels(120)});
        SendMessageW(view(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&added));
        // The header shows the symbol, and the items come newest first.
        HDITEMW shown{};
        shown.mask = HDI_FORMAT | HDI_IMAGE;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&shown));
        if (symbol) {
            shown.fmt |= HDF_IMAGE;
            shown.iImage = static_cast<int>(*symbol);
        }
        if (index == ReceivedColumn) {
            shown.fmt |= HDF_SORTDOWN;
        }
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&shown));
    }
}

void TransferDialogWindow::setUpButtons(const TransferDialogContent& content) {
    arrowFont_ = font(pixels(SymbolPoints * 20), L"Marlett", SYMBOL_CHARSET);
    folderFont_ = font(pixels(SymbolPoints * 20), L"Wingdings", SYMBOL_CHARSET);
    const std::pair<int, HFONT> symbolButtons[] = {{IDC_OUTLOOK_FORRIGEKNAP, arrowFont_},
                                                   {IDC_OUTLOOK_NAESTEKNAP, arrowFont_},
                                                   {IDC_OUTLOOK_OPSLAGKNAP, folderFont_}};
    for (const auto& [button, symbolFont] : symbolButtons) {
        SendMessageW(control(button), WM_SETFONT, reinterpret_cast<WPARAM>(symbolFont), FALSE);
    }
    SetWindowTextW(control(IDC_OUTLOOK_FORRIGEKNAP), PreviousArrow);
    SetWindowTextW(control(IDC_OUTLOOK_NAESTEKNAP), NextArrow);
    SetWindowTextW(control(IDC_OUTLOOK_OPSLAGKNAP), OpenFolder);
    setToolTip(IDC_OUTLOOK_OPSLAGKNAP, content.lookupTip);
    setText(IDC_OUTLOOK_OVERFOERKNAP, content.transferCaption);
    setToolTip(IDC_OUTLOOK_OVERFOERKNAP, content.transferTip);
    setText(IDC_OUTLOOK_ANNULLERKNAP, content.cancelCaption);
}

void TransferDialogWindow::update(const TransferDialogState& state) {
    window_ = state.window;
    if (!handle()) {
        return;
    }
    drawing_ = true;
    setText(0, state.caption);
    setToolTip(IDC_OUTLOOK_FORRIGEKNAP, state.previousTip);
    setToolTip(IDC_OUTLOOK_NAESTEKNAP, state.nextTip);
    RECT now;
    GetWindowRect(handle(), &now);
    const int width = pixels(state.window.width);
    const int height = pixels(state.window.height);
    if (!isModal()) {
        SetWindowPos(handle(), nullptr, pixels(state.window.left), pixels(state.window.top), width,
                     height, SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (!IsIconic(handle()) &&
               (now.right - now.left != width || now.bottom - now.top != height)) {
        SetWindowPos(handle(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    place(IDC_OUTLOOK_OLVIEW, state.view);
    place(IDC_OUTLOOK_FORRIGEKNAP, state.previousButton);
    place(IDC_OUTLOOK_OPSLAGKNAP, state.lookupButton);
    place(IDC_OUTLOOK_NAESTEKNAP, state.nextButton);
    place(IDC_OUTLOOK_OVERFOERKNAP, state.transferButton);
    place(IDC_OUTLOOK_ANNULLERKNAP, state.cancelButton);
    if (state.rows != rows_) {
        fill(state.rows);
    }
    fitSubjectColumn();
    drawing_ = false;
}

void TransferDialogWindow::fill(const std::vector<TransferRow>& rows) {
    rows_ = rows;
    SendMessageW(view(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(view(), LVM_DELETEALLITEMS, 0, 0);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const TransferRow& row = rows[static_cast<std::size_t>(r)];
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = r;
        item.pszText = const_cast<wchar_t*>(L"");
        item.iImage = I_IMAGENONE;
        SendMessageW(view(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        setCell(view(), r, ImportanceColumn, "", importanceSymbol(row.importance));
        setCell(view(), r, ClassColumn, "", symbolOfClass(row.itemClass));
        setCell(view(), r, AttachmentColumn, "",
                row.attachment ? std::optional(ItemSymbol::Attachment) : std::nullopt);
        setCell(view(), r, FromColumn, row.from);
        setCell(view(), r, SubjectColumn, row.subject);
        setCell(view(), r, ReceivedColumn, row.received);
        setCell(view(), r, SizeColumn, row.size);
        setCell(view(), r, FlagColumn, "", flagSymbol(row.flagStatus));
    }
    SendMessageW(view(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(view(), nullptr, TRUE);
}

void TransferDialogWindow::fitSubjectColumn() {
    RECT client;
    GetClientRect(view(), &client);
    int others = 0;
    for (int column = 0; column < TransferColumnCount; ++column) {
        if (column != SubjectColumn) {
            others += static_cast<int>(SendMessageW(view(), LVM_GETCOLUMNWIDTH, column, 0));
        }
    }
    const int least = MulDiv(TransferColumns[SubjectColumn].width, pixels(1440), 96) / 2;
    SendMessageW(view(), LVM_SETCOLUMNWIDTH, SubjectColumn,
                 MAKELPARAM(std::max(static_cast<int>(client.right) - others, least), 0));
}

void TransferDialogWindow::showModal() {
    if (!handle()) {
        // A dialog that cannot be made counts as closed.
        events_.closeClicked();
        return;
    }
    if (!runModal(owner_, view())) {
        // The thread was told to quit: as the close box.
        events_.closeClicked();
    }
}

void TransferDialogWindow::hide() {
    endModal();
}

std::vector<int> TransferDialogWindow::selectedRows() {
    std::vector<int> rows;
    for (int row = -1;
         (row = static_cast<int>(SendMessageW(view(), LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                              LVNI_SELECTED))) >= 0;) {
        rows.push_back(row);
    }
    return rows;
}

TwipsRect TransferDialogWindow::placement() {
    if (!handle()) {
        return window_;
    }
    RECT at;
    if (IsIconic(handle())) {
        WINDOWPLACEMENT normal{};
        normal.length = sizeof normal;
        GetWindowPlacement(handle(), &normal);
        at = normal.rcNormalPosition;
    } else {
        GetWindowRect(handle(), &at);
    }
    return {twips(at.left), twips(at.top), twips(at.right - at.left), twips(at.bottom - at.top)};
}

INT_PTR TransferDialogWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return FALSE;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        // A pixel more than the rounded size, so that the smallest size the
        // user can give reads back as at least the model's smallest.
        limits->ptMinTrackSize = {pixels(minimumWidth_) + 1, pixels(minimumHeight_) + 1};
        return TRUE;
    }
    case WM_SIZE:
        if (isModal() && !drawing_) {
            events_.resized(placement(), wParam == SIZE_MINIMIZED);
        }
        return TRUE;
    case WM_CLOSE:
        events_.closeClicked();
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) {
            return FALSE;
        }
        switch (LOWORD(wParam)) {
        case IDC_OUTLOOK_FORRIGEKNAP:
            events_.previousClicked();
            return TRUE;
        case IDC_OUTLOOK_OPSLAGKNAP:
            events_.lookupClicked();
            return TRUE;
        case IDC_OUTLOOK_NAESTEKNAP:
            events_.nextClicked();
            return TRUE;
        case IDC_OUTLOOK_OVERFOERKNAP:
            events_.transferClicked();
            return TRUE;
        case IDC_OUTLOOK_ANNULLERKNAP:
            events_.cancelClicked();
            return TRUE;
        case IDCANCEL: // the Escape key: as the close box
            events_.closeClicked();
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

// Loaded hidden, owned by the host's active window.
std::unique_ptr<TransferDialogView>
Win32Ui::openTransferDialog(const TransferDialogContent& content, TransferDialogEvents& events) {
    return std::make_unique<TransferDialogWindow>(loop(), content, events, owner());
}

} // namespace lexi::win32
