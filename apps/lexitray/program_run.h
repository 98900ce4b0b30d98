#pragma once

#include "platform/platform.h"
#include "program/run_log.h"

#include <functional>
#include <string>

namespace lexi {

// Carries out the request of `commandLine` on the platform: start-up, then
// the windows it left loaded until the last one is gone. `logOpened` is told
// of the run log before anything is logged. A failure no feature handled
// ends the program with a message and the exit code 1.
int runProgram(Platform& platform, std::string commandLine,
               const std::function<void(RunLog& log)>& logOpened = {});

} // namespace lexi
