#pragma once

#include "platform/ui.h"

#include <functional>
#include <memory>
#include <string>

namespace lexi {

// The scripted UI as the environment asks for it: the answers of the file
// LEXITRAY_UI_SCRIPT, the records appended to the file LEXITRAY_UI_TRANSCRIPT
// or else written to standard error. `variable` reads the environment (the
// empty text for a variable not set); `idle` is what a loaded tray window
// does once the script has nothing left for it.
std::unique_ptr<Ui>
scriptedUiFromEnvironment(const std::function<std::string(const char* name)>& variable,
                          std::function<void()> idle);

} // namespace lexi
