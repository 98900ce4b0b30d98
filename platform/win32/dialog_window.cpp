#include "platform/win32/dialog_window.h"

#include "platform/win32/resource_ids.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

#include <commctrl.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace lexi::win32 {

HINSTANCE resourceModule() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

bool loadCommonControls(DWORD classes) {
    const auto initialise = systemFunction<BOOL WINAPI(const INITCOMMONCONTROLSEX*)>(
        L"comctl32.dll", "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX controls{sizeof controls, classes};
    return initialise && initialise(&controls);
}

DialogWindow::~DialogWindow() {
    destroy();
}

void DialogWindow::destroy() {
    endModal();
    if (window_) {
        // Messages that come while the window goes find no object.
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        loop_.remove(window_);
        // The tool tips go with the dialog that owns them.
        DestroyWindow(window_);
        window_ = nullptr;
        toolTips_ = nullptr;
    }
    // After the window that showed it.
    if (programIcon_) {
        DestroyIcon(programIcon_);
        programIcon_ = nullptr;
    }
}

bool DialogWindow::runModal(HWND owner, HWND focus) {
    modal_ = true;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledOwner_ = owner;
    }
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(focus);
    loop_.runWhile([this] { return modal_; });
    const bool ended = !modal_;
    endModal();
    return ended;
}

void DialogWindow::endModal() {
    if (!modal_) {
        return;
    }
    modal_ = false;
    if (disabledOwner_) {
        EnableWindow(disabledOwner_, TRUE);
        SetActiveWindow(disabledOwner_);
        disabledOwner_ = nullptr;
    }
    ShowWindow(window_, SW_HIDE);
}

bool DialogWindow::create(const wchar_t* templateName, HWND owner) {
    window_ = CreateDialogParamW(resourceModule(), templateName, owner, procedure,
                                 reinterpret_cast<LPARAM>(this));
    if (window_) {
        loop_.add(window_, [this](const MSG& message) { return handleKey(message); });
    }
    return window_ != nullptr;
}

INT_PTR CALLBACK DialogWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<DialogWindow*>(lParam);
        self->window_ = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->handleMessage(message, wParam, lParam) : FALSE;
}

int DialogWindow::dpi() const {
    const HDC screen = GetDC(window_);
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(window_, screen);
    return dotsPerInch;
}

int DialogWindow::pixels(int twips) const {
    return MulDiv(twips, dpi(), 1440);
}

int DialogWindow::twips(int pixels) const {
    return MulDiv(pixels, 1440, dpi());
}

void DialogWindow::setInnerSize(int width, int height) {
    RECT frame{0, 0, pixels(width), pixels(height)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    centre(frame.right - frame.left, frame.bottom - frame.top);
}

void DialogWindow::setOuterSize(int width, int height) {
    centre(pixels(width), pixels(height));
}

void DialogWindow::centre(int widthPixels, int heightPixels) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - widthPixels) / 2,
                 work.top + (work.bottom - work.top - heightPixels) / 2, widthPixels, heightPixels,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::place(int id, const TwipsRect& twips) {
    SetWindowPos(control(id), nullptr, pixels(twips.left), pixels(twips.top), pixels(twips.width),
                 pixels(twips.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::setText(int id, std::string_view text) {
    SetWindowTextW(id == 0 ? window_ : control(id), toWide(text).c_str());
}

void DialogWindow::setToolTip(int id, std::string_view text) {
    if (!toolTips_) {
        if (!loadCommonControls(ICC_TAB_CLASSES)) {
            return;
        }
        toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, 0, 0, 0,
                                    0, window_, nullptr, resourceModule(), nullptr);
    }
    std::wstring wide = toWide(text);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control(id));
    // A tool the tip does not know is not deleted; the tip keeps a copy of
    // the text.
    SendMessageW(toolTips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.lpszText = wide.data();
    SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void DialogWindow::showProgramIcon() {
    programIcon_ = static_cast<HICON>(LoadImageW(resourceModule(), MAKEINTRESOURCEW(IDI_PROGRAM),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(programIcon_));
}

std::string DialogWindow::text(int id) const {
    const HWND window = id == 0 ? window_ : control(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return fromWide(text);
}

} // namespace lexi::win32
