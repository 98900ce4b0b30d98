#pragma once

#include "platform/posix/drive_table.h"
#include "platform/ui.h"

#include <functional>
#include <memory>
#include <string>

namespace lexi {

// The UI the environment asks for: LEXITRAY_UI=script gives the scripted UI
// (answers from the file LEXITRAY_UI_SCRIPT, records appended to the file
// LEXITRAY_UI_TRANSCRIPT, else written to standard error), LEXITRAY_UI=qt the
// windows of the desktop, loaded when first needed. Without a choice the
// program takes the desktop's windows where a display it can reach exists
// (WAYLAND_DISPLAY, or DISPLAY with its socket), and the scripted UI with its
// defaults where none does, so that it never waits for an answer nobody can
// give. Where the desktop's windows cannot be loaded, `qtMissing` is told why
// and the call that wanted them fails: the scripted UI never stands in for
// them unasked. With `drives` the desktop's file dialogs open at, and answer
// with, the workstation's drive paths.
std::unique_ptr<Ui> chooseUi(const posix::DriveTable* drives = nullptr,
                             std::function<void(const std::string& why)> qtMissing = {});

} // namespace lexi
