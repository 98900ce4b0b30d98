#pragma once

class QEventLoop;

namespace lexi::qt {

// The program's event loop: it runs while any window is loaded, until the
// last one is gone or quit() is asked.
class EventLoop {
public:
    // Keeps the loop running for as long as it exists: one per loaded window.
    class LoadedWindow {
    public:
        explicit LoadedWindow(EventLoop& loop);
        ~LoadedWindow();
        LoadedWindow(const LoadedWindow&) = delete;
        LoadedWindow& operator=(const LoadedWindow&) = delete;

    private:
        EventLoop& loop_;
    };

    // Returns at once when no window is loaded or quit() was asked.
    void run();
    void quit();

private:
    void windowGone();

    int loadedWindows_ = 0;
    bool quitRequested_ = false;
    QEventLoop* running_ = nullptr;
};

} // namespace lexi::qt
