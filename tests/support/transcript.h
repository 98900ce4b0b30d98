#pragma once

#include "platform/script/record.h"

#include <filesystem>
#include <vector>

namespace lexi::testing {

// The records of a scripted UI's transcript file, in order; none when the
// file is missing.
std::vector<script::Record> readTranscript(const std::filesystem::path& file);

} // namespace lexi::testing
