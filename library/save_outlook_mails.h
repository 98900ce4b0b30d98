#pragma once

#include "library/library_state.h"
#include "platform/platform.h"

#include <cstdint>
#include <string>

namespace lexi {

// Runs the transfer dialog for the case folder `Path` and returns the number
// of items it filed there. A missing folder is created with all its missing
// parents when the user agrees; when the user declines, or the folder cannot
// be made (the user is told why), no dialog is shown and the number of the
// last transfer is returned.
std::int16_t SaveOutlookMails(const std::string& Path, LibraryState& state, Platform& platform);

} // namespace lexi
