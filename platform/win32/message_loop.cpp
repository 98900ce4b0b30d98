#include "platform/win32/message_loop.h"

#include <algorithm>

namespace lexi::win32 {

void MessageLoop::add(HWND dialog, KeyHandler keys) {
    dialogs_.push_back({dialog, std::move(keys)});
}

void MessageLoop::remove(HWND dialog) {
    std::erase_if(dialogs_, [dialog](const Dialog& loaded) { return loaded.window == dialog; });
}

void MessageLoop::run() {
    runWhile([this] { return anyLoaded() && !quitRequested_; });
}

void MessageLoop::quit() {
    quitRequested_ = true;
    // Wakes a loop that waits for a message.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void MessageLoop::runWhile(const std::function<bool()>& keepRunning) {
    MSG message;
    while (keepRunning()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT belongs to an outer loop: it is left for that one.
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));
            }
            return;
        }
        dispatch(message);
    }
}

void MessageLoop::runPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void MessageLoop::repeat(std::chrono::milliseconds interval, std::function<void()> action) {
    const UINT_PTR timer = SetTimer(nullptr, 0, static_cast<UINT>(interval.count()), nullptr);
    if (timer != 0) {
        repeats_[timer] = std::move(action);
    }
}

MessageLoop::~MessageLoop() {
    for (const auto& [timer, action] : repeats_) {
        KillTimer(nullptr, timer);
    }
}

void MessageLoop::dispatch(MSG& message) {
    // A timer of the loop's has no window: its action is called here. Other
    // timers of the thread carry their own procedure, which dispatching calls.
    if (message.message == WM_TIMER && message.hwnd == nullptr) {
        if (const auto repeat = repeats_.find(message.wParam); repeat != repeats_.end()) {
            repeat->second();
            return;
        }
    }
    // The dialog the message is for handles its keys (its own, then Tab,
    // Enter, Escape); it may unload itself meanwhile, so it is looked up
    // first and not touched after its key handler took a key.
    const auto owner = std::find_if(dialogs_.begin(), dialogs_.end(), [&](const Dialog& dialog) {
        return dialog.window == message.hwnd || IsChild(dialog.window, message.hwnd);
    });
    if (owner != dialogs_.end()) {
        const HWND dialog = owner->window;
        const bool isKey = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
        if ((isKey && owner->keys && owner->keys(message)) || IsDialogMessageW(dialog, &message)) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace lexi::win32
