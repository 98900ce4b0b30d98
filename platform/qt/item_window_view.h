#pragma once

#include "platform/compose_window.h"

class QWidget;

namespace lexi::qt {

// Opens the read-only window of a task, task request or contact, not modal.
// It deletes itself when the user closes it; what is left of it is the
// caller's to delete before the application goes.
QWidget* openItemWindow(const ItemWindowContent& content);

} // namespace lexi::qt
