// How fast a request that shows nothing gets going, and what one log line costs.

#include "platform/posix/posix_filesystem.h"
#include "platform/posix/posix_processes.h"
#include "platform/posix/system_clock.h"
#include "program/run_log.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

fs::path freshFolder() {
    std::string pattern = (fs::temp_directory_path() / "lexitray-bench-XXXXXX").string();
    return ::mkdtemp(pattern.data());
}

// One whole document request of the real program, from fork to exit: an upper
// bound of the time from process start to the mode's first log line, which
// is the last thing it does before "Slut".
void DocumentRequest(benchmark::State& state) {
    const fs::path home = freshFolder();
    for (auto _ : state) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("LEXITRAY_HOME", home.c_str(), 1);
            ::setenv("LEXITRAY_UI", "script", 1);
            ::execl(LEXITRAY_PROGRAM, "lexitray", "C:\\Sager\\brev.docx", "open",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("lexitray failed");
            break;
        }
    }
    fs::remove_all(home);
}
BENCHMARK(DocumentRequest)->Unit(benchmark::kMillisecond)->UseRealTime();

void WriteLogLine(benchmark::State& state) {
    const fs::path folder = freshFolder();
    lexi::posix::PosixFileSystem files(lexi::posix::DriveTable({{'C', folder.string()}}));
    lexi::posix::PosixProcesses processes(files.drives(), folder.string());
    lexi::posix::SystemClock clock;
    lexi::RunLog log(files, processes, clock);
    log.setFolder("C:\\");
    for (auto _ : state) {
        log.WriteLog("Starting procedure olMail_Send med æøå");
    }
    fs::remove_all(folder);
}
BENCHMARK(WriteLogLine)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
