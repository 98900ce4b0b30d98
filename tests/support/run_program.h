#pragma once

#include "tests/support/temp_folder.h"

#include <chrono>
#include <filesystem>
#include <functional>
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

// A program started in the background in `folder`, with this process's
// environment changed by `environment` (an empty value removes the variable).
// One still running when the object goes is killed.
class RunningProgram {
public:
    RunningProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::map<std::string, std::string>& environment,
                   const std::filesystem::path& folder);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    pid_t id() const { return id_; }

    // Waits for the end of the program; what it wrote to standard error.
    ProgramRun wait();

private:
    TempFolder scratch_;
    pid_t id_;
    bool ended_ = false;
};

// Runs a program to its end, as RunningProgram starts it.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& environment,
                      const std::filesystem::path& folder);

// Asks `condition` again and again until it holds or the time is up; whether
// it held.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(20));

} // namespace lexi::testing
