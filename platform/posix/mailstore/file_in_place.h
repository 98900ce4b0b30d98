#pragma once

#include <string>
#include <string_view>

namespace lexi::mailstore {

// Writes a whole file (a host path) or nothing: the bytes go to a temporary
// file beside it, reach the disk, and only then take the target's name, so
// that a full disk or a killed process never leaves a cut-off file there.
// Throws lexi::Failure from the system's error (a full disk is 61), with the
// temporary file removed.
void writeFileInPlace(const std::string& hostPath, std::string_view bytes);

} // namespace lexi::mailstore
