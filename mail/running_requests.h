#pragma once

#include "platform/processes.h"

#include <set>

namespace lexi {

// The ids of the program's other processes that run now ("lexitray.exe"):
// what their requests left is still theirs to finish.
std::set<long> otherRunningRequests(Processes& processes);

} // namespace lexi
