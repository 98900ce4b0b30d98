#pragma once

#include "platform/ui.h"

#include <memory>

namespace lexi {

// The UI the environment asks for: LEXITRAY_UI=script gives the scripted UI
// (answers from the file LEXITRAY_UI_SCRIPT, records appended to the file
// LEXITRAY_UI_TRANSCRIPT, else written to standard error). Without a choice
// the program takes the windows of the desktop where a display exists, and
// the scripted UI with its defaults where none does, so that it never waits
// for an answer nobody can give.
std::unique_ptr<Ui> chooseUi();

} // namespace lexi
