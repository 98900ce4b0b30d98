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

void MessageLoop::dispatch(MSG& message) {
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
