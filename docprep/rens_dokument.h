#pragma once

#include "platform/platform.h"
#include "program/run_log.h"

#include <string>

namespace lexi {

// Cleans the document `SourceFile` of its hidden data into `CleanFile` with
// the hidden-data tool (started hidden and waited for, within a bound) and,
// for the kinds Word saves as they are, saves the result once more through
// Word, so that it opens for writing; both `CleanFile` and `CleanFile` + "_"
// are then left in their folder. Returns `CleanFile` when the cleaned
// document is there, empty after a failure, which is logged and shown to the
// user.
std::string RensDokument(Platform& platform, RunLog& log, const std::string& SourceFile,
                         const std::string& CleanFile);

} // namespace lexi
