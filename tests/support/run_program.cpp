#include "tests/support/run_program.h"

#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace lexi::testing {

pid_t spawnProgram(const std::string& program, const std::vector<std::string>& arguments,
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

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::map<std::string, std::string>& environment,
                      const std::filesystem::path& folder) {
    TempFolder scratch;
    const std::string errorFile = scratch.str() + "/stderr";
    const pid_t child = spawnProgram(program, arguments, environment, folder, errorFile);
    ProgramRun run;
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        run.signal = WTERMSIG(status);
    }
    run.standardError = readHostFile(errorFile);
    return run;
}

} // namespace lexi::testing
