#pragma once

#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <chrono>
#include <functional>
#include <sys/types.h>

namespace lexi::testing {

// A program started in the background, as runProgram starts it. One still
// running when the object goes is killed.
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

// Asks `condition` again and again until it holds or the time is up; whether
// it held.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(20));

} // namespace lexi::testing
