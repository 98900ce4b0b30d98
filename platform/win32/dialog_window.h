#pragma once

#include "platform/text_window.h"
#include "platform/win32/message_loop.h"

#include <string>
#include <string_view>
#include <windows.h>

namespace lexi::win32 {

// A dialog of the resource script that draws a core model's window, loaded
// modeless and registered with the message loop while it exists. The
// resource gives its controls; their places and sizes are the model's twips
// (1/1440 inch), converted at the dialog's DPI. Destroying the object
// destroys the window, also from within one of its own messages: nothing of
// the object is touched after a handler has passed an event to its model.
class DialogWindow {
public:
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND handle() const { return window_; }

protected:
    explicit DialogWindow(MessageLoop& loop) : loop_(loop) {}

    // Creates the dialog from the resource `templateName`; a derived class
    // calls it at the end of its constructor, so that the dialog's messages
    // find it whole. False when the dialog cannot be created.
    bool create(const wchar_t* templateName, HWND owner = nullptr);

    // Destroys the window with its controls; a derived class calls it first
    // in its destructor when it owns what they show (fonts, icons, images).
    void destroy();

    // Shows the dialog modal to `owner`, which takes no input meanwhile, with
    // `focus` focused, and runs the thread's messages until endModal(). False
    // when the thread was told to quit first; the modal run has ended then
    // too.
    bool runModal(HWND owner, HWND focus);
    // Ends the modal run, if one runs: the owner takes input again and is
    // active before the dialog is hidden, so that the focus goes back to it.
    void endModal();
    bool isModal() const { return modal_; }

    // A message of the dialog; answers whether it was handled (as a dialog
    // procedure does).
    virtual INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // The keys of a message meant for the dialog or one of its controls,
    // before the dialog's own navigation sees them; true when the dialog took
    // the key.
    virtual bool handleKey(const MSG&) { return false; }

    // Twips in pixels at the dialog's DPI, and back.
    int pixels(int twips) const;
    int twips(int pixels) const;
    // Gives the dialog an inner area of that many twips, centred on the
    // screen's work area.
    void setInnerSize(int width, int height);
    // The same for the whole window, frame and title bar included.
    void setOuterSize(int width, int height);
    void place(int control, const TwipsRect& twips);
    // The text of a control; control 0 is the dialog itself (its title).
    void setText(int control, std::string_view text);
    std::string text(int control) const;
    // The control's tool tip, added or changed.
    void setToolTip(int control, std::string_view text);
    HWND control(int id) const { return GetDlgItem(window_, id); }
    // The program's icon in the title bar; the dialog keeps it while it
    // lives.
    void showProgramIcon();
    HICON programIcon() const { return programIcon_; }

    MessageLoop& loop() { return loop_; }

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    int dpi() const;
    void centre(int widthPixels, int heightPixels);

    MessageLoop& loop_;
    HWND window_ = nullptr;
    // The tool tips of the controls; made with the first, destroyed with
    // the dialog.
    HWND toolTips_ = nullptr;
    HICON programIcon_ = nullptr;
    bool modal_ = false;
    // The window the modal run took input from, given back at its end.
    HWND disabledOwner_ = nullptr;
};

// Registers the window classes of the common controls `classes` (ICC_
// flags), loading their library the first time a window needs it, so that a
// request that shows none does not pay for it. False when it cannot be had.
bool loadCommonControls(DWORD classes);

// This module (the program, or the library that holds the code), where the
// dialogs and icons of the resource script are.
HINSTANCE resourceModule();

} // namespace lexi::win32
