#pragma once

#include "shared/registry/md_registry.h"

namespace lexi {

// The PDF writer in the current user's list of printers, as a printer
// installer writes it: the printer's name with the driver's port description.
// True when the registry took the change.
bool installPdfWriter(mdRegistry& registry);
bool uninstallPdfWriter(mdRegistry& registry);

} // namespace lexi
