#pragma once

#include "platform/compose_window.h"
#include "platform/text_window.h"
#include "platform/transfer_dialog.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lexi {

// Message box style values: one button set, plus one icon, plus one default
// button, plus modality.
namespace msgbox {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;

inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;

inline constexpr int DefaultButton1 = 0;
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;

inline constexpr int ApplicationModal = 0;
inline constexpr int SystemModal = 4096;

// The answers.
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;

// The answer of the style's default button.
int defaultAnswer(int style);

// The answer a button name gives ("OK", "Cancel", "Yes"... in any letter
// case), or 0 for a name that is no button.
int answerNamed(std::string_view name);

// The name of an answer ("OK", "Yes"...), empty for a number that is none.
std::string answerName(int answer);
} // namespace msgbox

// The mouse messages the notification icon reports to its window.
namespace iconmsg {
inline constexpr int LeftButtonUp = 514;
inline constexpr int LeftButtonDoubleClick = 515;
inline constexpr int RightButtonUp = 517;
inline constexpr int MiddleButtonUp = 520;
} // namespace iconmsg

// Key codes a window reports.
namespace keycode {
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
} // namespace keycode

enum class TrayMenuItem { About, Settings, Exit };

struct TrayMenuEntry {
    TrayMenuItem item;
    std::string caption;
};

// What the tray window shows, control by control, as it was loaded.
struct TrayWindowContent {
    std::string heading;     // Label1
    std::string version;     // Label3
    std::string folder;      // lbllokaldrev, also its tool tip
    std::string notice;      // Label4
    std::string iconTip;     // the notification icon's tip
    std::string menuCaption; // the pop-up menu
    std::vector<TrayMenuEntry> menu;
};

// What the user does to the tray window and its icon; the view forwards it.
class TrayWindowEvents {
public:
    virtual ~TrayWindowEvents() = default;
    // A mouse message of the notification icon (iconmsg::...).
    virtual void iconMessage(int message) = 0;
    virtual void menuChosen(TrayMenuItem item) = 0;
    // A click anywhere on the window's face.
    virtual void windowClicked() = 0;
    // A key pressed in the window (keycode::... or the character's code).
    virtual void keyPressed(int keyCode) = 0;
    virtual void minimised() = 0;
};

// The tray window with its notification icon, as loaded. Destroying it
// unloads the window and removes the icon.
class TrayWindowView {
public:
    virtual ~TrayWindowView() = default;
    // False when the desktop has no notification area for the icon.
    virtual bool hasNotificationIcon() const = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    // Takes the window out of the minimised state.
    virtual void restore() = 0;
    virtual void bringToFront() = 0;
    // Paints the shown window now, without waiting for the event loop.
    virtual void repaint() = 0;
    // Pops up the menu at the mouse position.
    virtual void popUpMenu() = 0;
};

// What the settings window shows as it is loaded.
struct SettingsWindowContent {
    std::string title;
    std::string frameCaption;       // Frame1
    std::string folderCaption;      // Label1
    std::string folder;             // fldLokaldrev
    std::string mailHistoryCaption; // CheckMailHistorik
    bool mailHistory = false;
    std::string okCaption; // Okknap
};

// What the user does in the settings window; the view forwards it.
class SettingsWindowEvents {
public:
    virtual ~SettingsWindowEvents() = default;
    virtual void folderEdited(const std::string& folder) = 0;
    virtual void mailHistoryTicked(bool ticked) = 0;
    virtual void okClicked() = 0;
    // The window's close box.
    virtual void closeClicked() = 0;
};

// The settings window, modeless. Destroying it closes the window.
class SettingsWindowView {
public:
    virtual ~SettingsWindowView() = default;
    // Shows the window in front of the others.
    virtual void show() = 0;
};

// What the PDF progress window shows as it is loaded.
struct MakingPdfWindowContent {
    std::string title;
    std::string cancelCaption; // AnnullerKnap
};

// What the user does in the PDF progress window; the view forwards it.
class MakingPdfWindowEvents {
public:
    virtual ~MakingPdfWindowEvents() = default;
    virtual void cancelClicked() = 0;
    // The window's close box.
    virtual void closeClicked() = 0;
};

// The PDF progress window, shown from its loading on. Its clicks reach the
// model while pending messages run (Ui::doEvents), so a wait that lets them
// run sees them. Destroying it unloads the window.
class MakingPdfWindowView {
public:
    virtual ~MakingPdfWindowView() = default;
    virtual void bringToFront() = 0;
};

// The attachment naming dialog's controls that the model gives the focus.
enum class NamingControl { Name, Password, UseTemplate, Clean, Template };

// What the attachment naming dialog shows as it is loaded: its captions and
// its layout (sizes and positions in twips, as the model sets them).
struct NamingDialogContent {
    std::string title;
    std::string heading;         // Label1
    std::string nameCaption;     // Label2
    std::string cleanCaption;    // chkClean
    std::string convertCaption;  // Label3
    std::string passwordCaption; // lblPassword
    std::string passwordTip;     // txtPassword's tool tip
    std::string templateCaption; // chkUsePDFTemplate
    std::string okCaption;       // Command1
    int height = 0;              // the window's, frame included
    int okTop = 0;               // Command1
    int okLeft = 0;
    // Whether the PDF controls (lblPassword, txtPassword, chkUsePDFTemplate,
    // fldPDFTemplate, knpLookup) are there at all.
    bool pdfControls = false;
};

// What the attachment naming dialog holds at a moment, as the model says.
struct NamingDialogState {
    std::string source; // lbFilnavn
    std::string name;   // txtFilnavn
    // The selection in txtFilnavn, in characters.
    int selectionStart = 0;
    int selectionLength = 0;
    bool clean = false;       // chkClean
    std::string password;     // txtPassword, shown masked
    bool useTemplate = false; // chkUsePDFTemplate
    std::string templatePath; // fldPDFTemplate
    // lblPassword, txtPassword and chkUsePDFTemplate enabled.
    bool pdfEnabled = false;
    // fldPDFTemplate and knpLookup enabled.
    bool templateEnabled = false;
    // txtPassword and fldPDFTemplate have the background of txtFilnavn, else
    // the window's.
    bool pdfBoxesLikeName = false;
};

// What the user does in the attachment naming dialog; the view forwards it.
class NamingDialogEvents {
public:
    virtual ~NamingDialogEvents() = default;
    virtual void nameEdited(const std::string& name) = 0;
    virtual void passwordEdited(const std::string& password) = 0;
    virtual void templateEdited(const std::string& path) = 0;
    virtual void cleanTicked(bool ticked) = 0;
    virtual void useTemplateClicked(bool ticked) = 0;
    virtual void lookupClicked() = 0;
    virtual void okClicked() = 0;
    // F1 to F6 (1 to 6) pressed anywhere in the dialog.
    virtual void functionKey(int number) = 0;
    // The window's close box.
    virtual void closeClicked() = 0;
};

// The attachment naming dialog, loaded hidden. Destroying it unloads it.
class NamingDialogView {
public:
    virtual ~NamingDialogView() = default;
    // Shows what the dialog holds now.
    virtual void update(const NamingDialogState& state) = 0;
    // Shows the dialog modally and above all other windows; returns once it
    // is hidden (by the model, from one of its events).
    virtual void showModal() = 0;
    virtual void hide() = 0;
    // Brings the dialog forward with the focus in the control.
    virtual void focus(NamingControl control) = 0;
};

// What the user sees and answers. A window's rules live in its core model;
// the UI draws it and forwards what the user does to the model's events.
// Outlook's own windows (the mail window, the folder picker) are shown by
// the UI too. Calls do not fail: every question gets an answer, the default
// button's when nobody can give one.
class Ui : public OutlookWindows {
public:
    // A modal message box; returns the answer (msgbox::Ok, msgbox::Yes...).
    virtual int messageBox(std::string_view text, int style, std::string_view title) = 0;

    // Lets pending window messages run.
    virtual void doEvents() = 0;

    // Loads the tray window, hidden, and adds its notification icon.
    virtual std::unique_ptr<TrayWindowView> openTrayWindow(const TrayWindowContent& content,
                                                           TrayWindowEvents& events) = 0;

    // Loads the settings window, not yet shown.
    virtual std::unique_ptr<SettingsWindowView>
    openSettingsWindow(const SettingsWindowContent& content, SettingsWindowEvents& events) = 0;

    // Loads the PDF progress window and shows it.
    virtual std::unique_ptr<MakingPdfWindowView>
    openMakingPdfWindow(const MakingPdfWindowContent& content, MakingPdfWindowEvents& events) = 0;

    // The desktop's file-save dialog for a PDF, opened at `suggested` (a host
    // path). The host path the user chose, empty when the user cancelled.
    virtual std::string saveFileName(std::string_view title, std::string_view suggested) = 0;

    // The desktop's file-open dialog. `filter` is in the runtime's form
    // ("PDF-filer (*.pdf)|*.pdf"), `folder` the drive path it opens in,
    // `fileName` what its name field holds at first ("*.pdf"; may be empty).
    // The drive path of the chosen file, empty when the user cancelled.
    virtual std::string openFileName(std::string_view title, std::string_view filter,
                                     std::string_view folder, std::string_view fileName) = 0;

    // The desktop's folder chooser, opened at the drive path `folder`. The
    // drive path of the chosen folder, empty when the user cancelled.
    virtual std::string chooseFolder(std::string_view title, std::string_view folder) = 0;

    // Shows the text window modally, until one of its events has closed it.
    virtual void showTextWindow(const TextWindowContent& content, TextWindowEvents& events) = 0;

    // Loads the attachment naming dialog, hidden.
    virtual std::unique_ptr<NamingDialogView> openNamingDialog(const NamingDialogContent& content,
                                                               NamingDialogEvents& events) = 0;

    // Loads the mail transfer dialog, hidden.
    virtual std::unique_ptr<TransferDialogView>
    openTransferDialog(const TransferDialogContent& content, TransferDialogEvents& events) = 0;

    // Runs the windows: forwards what the user does until no window is loaded
    // any more or quitEventLoop() is called. Returns at once when no window
    // is loaded.
    virtual void runEventLoop() = 0;
    virtual void quitEventLoop() = 0;

    // Calls `action` every `interval` from the event loop, while it runs:
    // what the program does in the background of its windows. The action
    // lasts as long as the UI.
    virtual void repeatWhileRunning(std::chrono::milliseconds interval,
                                    std::function<void()> action) = 0;
};

} // namespace lexi
