#include "platform/compose_window.h"

namespace lexi {

ComposeWindow::ComposeWindow(ComposeFields fields, ComposeActions& actions)
    : fields_(std::move(fields)), actions_(actions) {}

std::string ComposeWindow::title() const {
    return (fields_.subject.empty() ? std::string("Unavngivet") : fields_.subject) +
           " - Meddelelse";
}

void ComposeWindow::send() {
    sendResult_ = SendResult::Sent;
    if (open_ && actions_.send(fields_)) {
        open_ = false;
    }
}

void ComposeWindow::close() {
    if (open_ && actions_.close(fields_)) {
        open_ = false;
    }
}

} // namespace lexi
