#pragma once

#include "tests/support/eventually.h"
#include "tests/support/temp_folder.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace lexi::testing {

struct ProgramRun {
    int exitCode = -1; // -1 when ended by a signal, or not at all
    int signal = 0;
    std::string standardError;
};

// Waits for the end of a child process: how it ended.
inline ProgramRun waitFor(pid_t child) {
    ProgramRun run;
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child) {
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    return run;
}

// A program started in the background in `folder`, with this process's
// environment changed by `environment` (an empty value removes the variable).
// One still running when the object goes is killed; like its scratch
// folder, it cannot be copied. The child only calls what is safe after a fork
// in a process with threads: everything it needs is made before.
class RunningProgram {
public:
    RunningProgram(const std::string& program, const std::vector<std::string>& arguments,
                   const std::map<std::string, std::string>& environment,
                   const std::filesystem::path& folder)
        : id_(start(program, arguments, environment, folder, errorFile())) {}
    ~RunningProgram() {
        // A failed fork leaves -1, which kill would take for every process.
        if (!ended_ && id_ > 0) {
            ::kill(id_, SIGKILL);
            wait();
        }
    }
    pid_t id() const { return id_; }

    // Waits for the end of the program; what it wrote to standard error.
    ProgramRun wait() {
        ProgramRun run = waitFor(id_);
        ended_ = true;
        run.standardError = readHostFile(errorFile());
        return run;
    }

private:
    std::filesystem::path errorFile() const { return scratch_.path() / "stderr"; }

    static pid_t start(const std::string& program, const std::vector<std::string>& arguments,
                       const std::map<std::string, std::string>& environment,
                       const std::filesystem::path& folder, const std::filesystem::path& error) {
        std::vector<std::string> variables;
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string text = *variable;
            if (!environment.contains(text.substr(0, text.find('=')))) {
                variables.push_back(text);
            }
        }
        for (const auto& [name, value] : environment) {
            if (!value.empty()) {
                variables.push_back(name + "=" + value);
            }
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (std::string& variable : variables) {
            envp.push_back(variable.data());
        }
        envp.push_back(nullptr);
        const pid_t child = ::fork();
        if (child != 0) {
            return child;
        }
        const int errorOutput = ::open(error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::chdir(folder.c_str()) != 0 || ::dup2(errorOutput, 2) < 0 ||
            ::dup2(::open("/dev/null", O_RDONLY), 0) < 0) {
            ::_exit(126);
        }
        ::execve(program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }

    TempFolder scratch_;
    pid_t id_;
    bool ended_ = false;
};

// Runs a program to its end, as RunningProgram starts it.
inline ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::map<std::string, std::string>& environment,
                             const std::filesystem::path& folder) {
    return RunningProgram(program, arguments, environment, folder).wait();
}

} // namespace lexi::testing
