#include "platform/win32/naming_dialog.h"

#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_ui.h"

#include <shellapi.h>

namespace lexi::win32 {
namespace {

// The window's width, frame included, and its controls' places, in twips;
// its height and the OK button's place are the model's.
constexpr int Width = 6120;
constexpr TwipsRect Label1{120, 120, 5760, 270};
constexpr TwipsRect Filnavn{120, 420, 5760, 270};
constexpr TwipsRect Label2{120, 780, 2700, 270};
constexpr TwipsRect Label3{3000, 780, 2880, 270};
constexpr TwipsRect TxtFilnavn{120, 1050, 5760, 330};
constexpr TwipsRect ChkClean{120, 1500, 3300, 300};
constexpr TwipsRect LblPassword{120, 1890, 3000, 270};
constexpr TwipsRect TxtPassword{120, 2160, 3000, 330};
constexpr TwipsRect ChkUsePdfTemplate{120, 2580, 3300, 300};
constexpr TwipsRect FldPdfTemplate{120, 2940, 2850, 330};
constexpr TwipsRect KnpLookup{3030, 2940, 360, 330};
constexpr int OkWidth = 1200;
constexpr int OkHeight = 390;

constexpr int PdfControls[] = {IDC_FLET_LBLPASSWORD, IDC_FLET_TXTPASSWORD,
                               IDC_FLET_CHKUSEPDFTEMPLATE, IDC_FLET_FLDPDFTEMPLATE,
                               IDC_FLET_KNPLOOKUP};

int controlOf(NamingControl control) {
    switch (control) {
    case NamingControl::Name:
        return IDC_FLET_TXTFILNAVN;
    case NamingControl::Password:
        return IDC_FLET_TXTPASSWORD;
    case NamingControl::UseTemplate:
        return IDC_FLET_CHKUSEPDFTEMPLATE;
    case NamingControl::Clean:
        return IDC_FLET_CHKCLEAN;
    case NamingControl::Template:
        return IDC_FLET_FLDPDFTEMPLATE;
    }
    return IDC_FLET_TXTFILNAVN;
}

// The shell's symbol of a folder, as it shows any folder.
HICON folderSymbol() {
    SHFILEINFOW folder{};
    SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &folder, sizeof folder,
                   SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
    return folder.hIcon;
}

} // namespace

NamingDialog::NamingDialog(MessageLoop& loop, const NamingDialogContent& content,
                           NamingDialogEvents& events, HWND owner)
    : DialogWindow(loop), events_(events), owner_(owner) {
    if (create(L"FRMFLET", owner)) {
        layOut(content);
    }
}

NamingDialog::~NamingDialog() {
    // The window first, then what it shows.
    destroy();
    if (folderIcon_) {
        DestroyIcon(folderIcon_);
    }
}

void NamingDialog::layOut(const NamingDialogContent& content) {
    setOuterSize(Width, content.height);
    place(IDC_FLET_LABEL1, Label1);
    place(IDC_FLET_LBFILNAVN, Filnavn);
    place(IDC_FLET_LABEL2, Label2);
    place(IDC_FLET_LABEL3, Label3);
    place(IDC_FLET_TXTFILNAVN, TxtFilnavn);
    place(IDC_FLET_CHKCLEAN, ChkClean);
    place(IDC_FLET_LBLPASSWORD, LblPassword);
    place(IDC_FLET_TXTPASSWORD, TxtPassword);
    place(IDC_FLET_CHKUSEPDFTEMPLATE, ChkUsePdfTemplate);
    place(IDC_FLET_FLDPDFTEMPLATE, FldPdfTemplate);
    place(IDC_FLET_KNPLOOKUP, KnpLookup);
    place(IDC_FLET_COMMAND1, {content.okLeft, content.okTop, OkWidth, OkHeight});
    setText(0, content.title);
    setText(IDC_FLET_LABEL1, content.heading);
    setText(IDC_FLET_LABEL2, content.nameCaption);
    setText(IDC_FLET_LABEL3, content.convertCaption);
    setText(IDC_FLET_CHKCLEAN, content.cleanCaption);
    setText(IDC_FLET_LBLPASSWORD, content.passwordCaption);
    setText(IDC_FLET_CHKUSEPDFTEMPLATE, content.templateCaption);
    setText(IDC_FLET_COMMAND1, content.okCaption);
    setToolTip(IDC_FLET_TXTPASSWORD, content.passwordTip);
    for (const int pdf : PdfControls) {
        ShowWindow(control(pdf), content.pdfControls ? SW_SHOW : SW_HIDE);
    }
    folderIcon_ = folderSymbol();
    SendMessageW(control(IDC_FLET_KNPLOOKUP), BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(folderIcon_));
    showProgramIcon();
}

bool NamingDialog::setChangedText(int id, const std::string& wanted) {
    if (text(id) == wanted) {
        return false;
    }
    setText(id, wanted);
    return true;
}

void NamingDialog::update(const NamingDialogState& state) {
    drawing_ = true;
    setText(IDC_FLET_LBFILNAVN, state.source);
    if (setChangedText(IDC_FLET_TXTFILNAVN, state.name) ||
        state.selectionStart != selectionStart_ || state.selectionLength != selectionLength_) {
        selectionStart_ = state.selectionStart;
        selectionLength_ = state.selectionLength;
        SendMessageW(control(IDC_FLET_TXTFILNAVN), EM_SETSEL, selectionStart_,
                     selectionStart_ + selectionLength_);
    }
    CheckDlgButton(handle(), IDC_FLET_CHKCLEAN, state.clean ? BST_CHECKED : BST_UNCHECKED);
    setChangedText(IDC_FLET_TXTPASSWORD, state.password);
    CheckDlgButton(handle(), IDC_FLET_CHKUSEPDFTEMPLATE,
                   state.useTemplate ? BST_CHECKED : BST_UNCHECKED);
    setChangedText(IDC_FLET_FLDPDFTEMPLATE, state.templatePath);
    for (const int pdf : {IDC_FLET_LBLPASSWORD, IDC_FLET_TXTPASSWORD, IDC_FLET_CHKUSEPDFTEMPLATE}) {
        EnableWindow(control(pdf), state.pdfEnabled);
    }
    for (const int templateControl : {IDC_FLET_FLDPDFTEMPLATE, IDC_FLET_KNPLOOKUP}) {
        EnableWindow(control(templateControl), state.templateEnabled);
    }
    if (state.pdfBoxesLikeName != pdfBoxesLikeName_) {
        pdfBoxesLikeName_ = state.pdfBoxesLikeName;
        InvalidateRect(control(IDC_FLET_TXTPASSWORD), nullptr, TRUE);
        InvalidateRect(control(IDC_FLET_FLDPDFTEMPLATE), nullptr, TRUE);
    }
    drawing_ = false;
}

void NamingDialog::showModal() {
    if (!handle()) {
        return;
    }
    // The caret where the model puts it; focusing the box keeps it there.
    const HWND name = control(IDC_FLET_TXTFILNAVN);
    SendMessageW(name, EM_SETSEL, selectionStart_, selectionStart_ + selectionLength_);
    runModal(owner_, name);
}

void NamingDialog::hide() {
    endModal();
}

void NamingDialog::focus(NamingControl which) {
    SetForegroundWindow(handle());
    SetFocus(control(controlOf(which)));
}

bool NamingDialog::handleKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam < VK_F1 || message.wParam > VK_F6) {
        return false;
    }
    events_.functionKey(static_cast<int>(message.wParam - VK_F1) + 1);
    return true;
}

void NamingDialog::forwardEdit(int id) {
    if (drawing_) {
        return;
    }
    switch (id) {
    case IDC_FLET_TXTFILNAVN:
        events_.nameEdited(text(id));
        break;
    case IDC_FLET_TXTPASSWORD:
        events_.passwordEdited(text(id));
        break;
    case IDC_FLET_FLDPDFTEMPLATE:
        events_.templateEdited(text(id));
        break;
    default:
        break;
    }
}

void NamingDialog::forwardClick(int id) {
    const bool ticked = IsDlgButtonChecked(handle(), id) == BST_CHECKED;
    switch (id) {
    case IDC_FLET_CHKCLEAN:
        events_.cleanTicked(ticked);
        break;
    case IDC_FLET_CHKUSEPDFTEMPLATE:
        events_.useTemplateClicked(ticked);
        break;
    case IDC_FLET_KNPLOOKUP:
        events_.lookupClicked();
        break;
    case IDC_FLET_COMMAND1: // also Enter, the default button
        events_.okClicked();
        break;
    default:
        // Escape does nothing: the dialog has no cancel.
        break;
    }
}

INT_PTR NamingDialog::paintBox(HDC dc) const {
    const int colour = pdfBoxesLikeName_ ? COLOR_WINDOW : COLOR_BTNFACE;
    SetBkColor(dc, GetSysColor(colour));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(colour));
}

INT_PTR NamingDialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        events_.closeClicked();
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        const auto box = reinterpret_cast<HWND>(lParam);
        if (box == control(IDC_FLET_TXTPASSWORD) || box == control(IDC_FLET_FLDPDFTEMPLATE)) {
            return paintBox(reinterpret_cast<HDC>(wParam));
        }
        return FALSE;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE) {
            forwardEdit(LOWORD(wParam));
        } else if (HIWORD(wParam) == BN_CLICKED) {
            forwardClick(LOWORD(wParam));
        }
        return TRUE;
    default:
        return FALSE;
    }
}

std::unique_ptr<NamingDialogView> Win32Ui::openNamingDialog(const NamingDialogContent& content,
                                                            NamingDialogEvents& events) {
    return std::make_unique<NamingDialog>(loop(), content, events, owner());
}

} // namespace lexi::win32
