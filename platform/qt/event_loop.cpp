#include "platform/qt/event_loop.h"

#include <QEventLoop>

namespace lexi::qt {

EventLoop::LoadedWindow::LoadedWindow(EventLoop& loop) : loop_(loop) {
    ++loop_.loadedWindows_;
}

EventLoop::LoadedWindow::~LoadedWindow() {
    loop_.windowGone();
}

void EventLoop::windowGone() {
    if (--loadedWindows_ == 0 && running_) {
        running_->quit();
    }
}

void EventLoop::run() {
    if (loadedWindows_ == 0 || quitRequested_) {
        return;
    }
    QEventLoop loop;
    running_ = &loop;
    loop.exec();
    running_ = nullptr;
}

void EventLoop::quit() {
    quitRequested_ = true;
    if (running_) {
        running_->quit();
    }
}

} // namespace lexi::qt
