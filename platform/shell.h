#pragma once

#include "platform/processes.h"

#include <string_view>

namespace lexi {

// The shell's launch operation: perform a verb ("open", "print", "edit") on a
// file with the application the file type registers. The answer is a number
// above 32 on success, else an error code from 0 to 32: 2 file not found,
// 3 path not found, 5 access denied, 8 out of memory, 11 bad executable,
// 26 sharing violation, 27 association incomplete, 28 to 30 DDE failures,
// 31 no association for the verb, 32 library not found. It never throws:
// every failure is an answer.
class Shell {
public:
    virtual ~Shell() = default;

    [[nodiscard]] virtual int execute(std::string_view verb, std::string_view file,
                                      std::string_view parameters, std::string_view workingFolder,
                                      ShowMode mode) = 0;
};

} // namespace lexi
