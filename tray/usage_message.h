#pragma once

#include "platform/ui.h"

namespace lexi {

// Reminds the user of the command lines the program understands.
void ShowUsageMessage(Ui& ui);

} // namespace lexi
