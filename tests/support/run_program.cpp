#include "tests/support/run_program.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lexi::testing {
namespace {

// Starts the program with its standard error going to `errorFile`.
pid_t spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::map<std::string, std::string>& environment,
            const std::filesystem::path& folder, const std::string& errorFile) {
    const pid_t child = ::fork();
    if (child == 0) {
        for (const auto& [name, value] : environment) {
            if (value.empty()) {
                ::unsetenv(name.c_str());
            } else {
                ::setenv(name.c_str(), value.c_str(), 1);
            }
        }
        if (::chdir(folder.c_str()) != 0) {
            ::_exit(126);
        }
        const int error = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(error, 2);
        const int nothing = ::open("/dev/null", O_RDONLY);
        ::dup2(nothing, 0);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    return child;
}

} // namespace

RunningProgram::RunningProgram(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::map<std::string, std::string>& environment,
                               const std::filesystem::path& folder)
    : id_(spawn(program, arguments, environment, folder, scratch_.str() + "/stderr")) {}

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

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& environment,
                      const std::filesystem::path& folder) {
    return RunningProgram(program, arguments, environment, folder).wait();
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
