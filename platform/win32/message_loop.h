#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <vector>
#include <windows.h>

namespace lexi::win32 {

// The thread's window messages, for the windows of the program: the modeless
// dialogs it has loaded get their keyboard navigation, and the loop runs
// while any of them is loaded.
class MessageLoop {
public:
    // Whether a dialog takes a key itself, before its navigation sees it.
    using KeyHandler = std::function<bool(const MSG&)>;

    // A dialog loaded or gone.
    void add(HWND dialog, KeyHandler keys = {});
    void remove(HWND dialog);
    bool anyLoaded() const { return !dialogs_.empty(); }

    // Runs until no dialog is loaded or quit() is asked; at once when either
    // is the case already.
    void run();
    void quit();

    // Runs while `keepRunning` answers true, as a modal window does.
    void runWhile(const std::function<bool()>& keepRunning);

    // Lets the messages that are waiting run, and returns.
    void runPending();

    // Calls `action` every `interval` while the loop runs, from a timer of
    // the thread, until the loop is gone.
    void repeat(std::chrono::milliseconds interval, std::function<void()> action);
    ~MessageLoop();

private:
    void dispatch(MSG& message);

    struct Dialog {
        HWND window;
        KeyHandler keys;
    };
    std::vector<Dialog> dialogs_;
    // The thread's timers by their identities, with what each does.
    std::map<UINT_PTR, std::function<void()>> repeats_;
    bool quitRequested_ = false;
};

} // namespace lexi::win32
