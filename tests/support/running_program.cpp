#include "tests/support/running_program.h"

#include <csignal>
#include <sys/wait.h>
#include <thread>

namespace lexi::testing {

RunningProgram::RunningProgram(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::map<std::string, std::string>& environment,
                               const std::filesystem::path& folder)
    : id_(spawnProgram(program, arguments, environment, folder, scratch_.str() + "/stderr")) {}

RunningProgram::~RunningProgram() {
    if (!ended_) {
        ::kill(id_, SIGKILL);
        wait();
    }
}

ProgramRun RunningProgram::wait() {
    ProgramRun run;
    int status = 0;
    ::waitpid(id_, &status, 0);
    ended_ = true;
    if (WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        run.signal = WTERMSIG(status);
    }
    run.standardError = readHostFile(scratch_.path() / "stderr");
    return run;
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace lexi::testing
