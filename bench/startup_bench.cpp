// How fast a request that shows nothing gets going, and what one log line costs.

#include "platform/posix/posix_filesystem.h"
#include "platform/posix/posix_processes.h"
#include "platform/posix/system_clock.h"
#include "program/run_log.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path freshFolder() {
    std::string pattern = (fs::temp_directory_path() / "lexitray-bench-XXXXXX").string();
    return ::mkdtemp(pattern.data());
}

// What one run of a program cost: the time from fork to exit, and the
// processor time it used (which a busy machine does not stretch), in
// milliseconds; negative when it failed.
struct RunCost {
    double wall = -1;
    double processor = -1;
};

// Runs a program to its end in a home of its own.
RunCost runToEnd(const char* program, std::vector<const char*> arguments, const fs::path& home) {
    arguments.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("LEXITRAY_HOME", home.c_str(), 1);
        ::setenv("LEXITRAY_UI", "script", 1);
        ::setenv("LEXITRAY_UI_TRANSCRIPT", "/dev/null", 1);
        ::execv(program, const_cast<char* const*>(arguments.data()));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return {};
    }
    const auto milliseconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) * 1000 + static_cast<double>(time.tv_usec) / 1000;
    };
    return {took.count(), milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

// One whole document request of the real program, from fork to exit: an upper
// bound of the time from process start to the mode's first log line, which
// is the last thing it does before "Slut". The document is missing, so the
// shell answers at once. Each request runs beside a bare process start
// (/bin/true, the same fork, exec and wait); the counters give that start's
// times and how many of them the request costs, in time and in processor
// time.
void DocumentRequest(benchmark::State& state) {
    const fs::path home = freshFolder();
    const std::vector<const char*> request = {"lexitray", "C:\\x.docx", "open"};
    // The first request creates the registry.
    runToEnd(LEXITRAY_PROGRAM, request, home);
    RunCost bareTotal{0, 0};
    RunCost requestTotal{0, 0};
    for (auto _ : state) {
        const RunCost bare = runToEnd("/bin/true", {"true"}, home);
        const RunCost took = runToEnd(LEXITRAY_PROGRAM, request, home);
        if (bare.wall < 0 || took.wall < 0) {
            state.SkipWithError("a program failed");
            break;
        }
        state.SetIterationTime(took.wall / 1000);
        bareTotal.wall += bare.wall;
        bareTotal.processor += bare.processor;
        requestTotal.wall += took.wall;
        requestTotal.processor += took.processor;
    }
    if (bareTotal.wall > 0 && bareTotal.processor > 0) {
        const auto runs = static_cast<double>(state.iterations());
        state.counters["true_ms"] = bareTotal.wall / runs;
        state.counters["ratio"] = requestTotal.wall / bareTotal.wall;
        state.counters["cpu_ms"] = requestTotal.processor / runs;
        state.counters["true_cpu_ms"] = bareTotal.processor / runs;
        state.counters["cpu_ratio"] = requestTotal.processor / bareTotal.processor;
    }
    fs::remove_all(home);
}
BENCHMARK(DocumentRequest)->Unit(benchmark::kMillisecond)->UseManualTime();

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
