#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace lexi::testing {

struct ProgramRun {
    int exitCode = -1; // -1 when ended by a signal
    int signal = 0;
    std::string standardError;
};

// Starts a program in `folder`, with this process's environment changed by
// `environment` (an empty value removes the variable), its standard error
// going to `errorFile`; its process id.
pid_t spawnProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::map<std::string, std::string>& environment,
                   const std::filesystem::path& folder, const std::string& errorFile);

// Runs a program to its end in `folder`, with this process's environment
// changed by `environment` (an empty value removes the variable).
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& environment,
                      const std::filesystem::path& folder);

} // namespace lexi::testing
