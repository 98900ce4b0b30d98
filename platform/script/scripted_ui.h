#pragma once

#include "platform/script/record.h"
#include "platform/script/scripted_windows.h"
#include "platform/ui.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lexi::script {

// A UI without windows, for unattended runs and end-to-end tests. Answers are
// taken in order from a script, one per line ("msgbox Yes", "tray icon 517";
// blank lines and lines starting with "#" are skipped); every message box and
// window shown is handed to the transcript as a record. A question whose next
// answer is not for it, or that finds no answer left, takes its default.
class ScriptedUi : public Ui {
public:
    using Transcript = script::Transcript;

    // `idle` is what the event loop does when the script has nothing left for
    // a loaded tray window: the program passes a wait that lasts until the
    // process is stopped (the actions to repeat run meanwhile); without one
    // the loop returns.
    ScriptedUi(std::string_view script, Transcript transcript, std::function<void()> idle = {});

    // Appends the answers of a script to those still to come.
    void addAnswers(std::string_view script);

    int messageBox(std::string_view text, int style, std::string_view title) override;
    // With the PDF progress window loaded, takes the next answer when it is a
    // "makingpdf" one and does it to the window: its click comes while a
    // wait lets messages run.
    void doEvents() override;
    std::unique_ptr<TrayWindowView> openTrayWindow(const TrayWindowContent& content,
                                                   TrayWindowEvents& events) override;
    std::unique_ptr<SettingsWindowView> openSettingsWindow(const SettingsWindowContent& content,
                                                           SettingsWindowEvents& events) override;
    std::unique_ptr<MakingPdfWindowView>
    openMakingPdfWindow(const MakingPdfWindowContent& content,
                        MakingPdfWindowEvents& events) override;
    // Takes the script's answers in turn and does them to the loaded windows
    // ("tray ..." to the tray window, "settings ..." to the settings window;
    // an answer for no loaded window is passed over). With no answer left a
    // settings window is closed as with its close box, and a tray window
    // waits (see `idle`).
    void runEventLoop() override;
    // Takes the script's "mail" answers in turn: "mail to <text>", "mail bcc
    // <text>", "mail subject <text>", "mail body <text>", "mail send", "mail
    // close". When they run out the window is closed as with its close box.
    void showComposeWindow(ComposeWindow& window) override;
    // The answer "folder <number>" picks the folder at that position (from 1)
    // of the picker's list; anything else cancels.
    int pickFolder(const std::vector<std::string>& folderPaths) override;
    // Records the window as shown; nobody is there to close it.
    void showItemWindow(const ItemWindowContent& content) override;
    // The answer "savefile <host path>" is the file chosen; anything else
    // cancels.
    std::string saveFileName(std::string_view title, std::string_view suggested) override;
    // The answer "openfile <drive path>" is the file chosen; anything else
    // cancels.
    std::string openFileName(std::string_view title, std::string_view filter,
                             std::string_view folder, std::string_view fileName) override;
    // The answer "folderdialog <drive path>" is the folder chosen; anything
    // else cancels.
    std::string chooseFolder(std::string_view title, std::string_view folder) override;
    // Takes the script's "textbox" answers in turn: "textbox text <text>"
    // (the box now holds the text, unless it is locked), "textbox OK" (the
    // button captioned OK: AnnullerKnap when read-only), "textbox Annuller",
    // "textbox escape", "textbox close". When they run out the window is
    // closed as with its close box.
    void showTextWindow(const TextWindowContent& content, TextWindowEvents& events) override;

    // The dialog takes the script's "naming" answers while it is shown.
    std::unique_ptr<NamingDialogView> openNamingDialog(const NamingDialogContent& content,
                                                       NamingDialogEvents& events) override;
    // The dialog takes the script's "outlook" answers while it is shown.
    std::unique_ptr<TransferDialogView> openTransferDialog(const TransferDialogContent& content,
                                                           TransferDialogEvents& events) override;
    void quitEventLoop() override { quitRequested_ = true; }
    // Kept; a loaded tray window with nothing left in the script runs them
    // at their intervals while it waits (see `idle`).
    void repeatWhileRunning(std::chrono::milliseconds interval,
                            std::function<void()> action) override;
    // Runs each kept action once, as if its interval had passed.
    void runRepeats();

protected:
    // The argument of the next answer when it is of this kind, consumed.
    std::optional<std::string> takeAnswer(std::string_view kind);
    void record(const Record& entry) { transcript_(entry); }

private:
    struct Answer {
        std::string kind;
        std::string argument;
    };
    bool anyWindowLoaded() const { return tray_ || settings_; }
    [[noreturn]] void waitRunningRepeats();

    std::deque<Answer> answers_;
    Transcript transcript_;
    std::function<void()> idle_;
    struct Repeat {
        std::chrono::milliseconds interval;
        std::function<void()> action;
    };
    std::vector<Repeat> repeats_;
    ScriptedTrayWindow* tray_ = nullptr;
    ScriptedSettingsWindow* settings_ = nullptr;
    ScriptedMakingPdfWindow* makingPdf_ = nullptr;
    bool quitRequested_ = false;
};

} // namespace lexi::script
