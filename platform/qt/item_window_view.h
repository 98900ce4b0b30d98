#pragma once

#include "platform/compose_window.h"

namespace lexi::qt {

// Opens the read-only window of a task, task request or contact, not modal.
// It deletes itself when the user closes it.
void openItemWindow(const ItemWindowContent& content);

} // namespace lexi::qt
