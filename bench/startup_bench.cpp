// How fast a request that shows nothing gets going, also with a mail waiting
// in the Outbox for a mail server that does not answer, and what one log line
// costs.

#include "mail/send_journal.h"
#include "platform/outlook.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/posix_filesystem.h"
#include "platform/posix/posix_processes.h"
#include "platform/posix/sqlite_registry.h"
#include "platform/posix/system_clock.h"
#include "program/run_log.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
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

// Runs a program to its end in a home of its own. A program that ends by
// SIGKILL (a stop, which ends itself last) has ended as it should.
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
    const bool stopped = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    if (!stopped && (!WIFEXITED(status) || WEXITSTATUS(status) != 0)) {
        return {};
    }
    const auto milliseconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) * 1000 + static_cast<double>(time.tv_usec) / 1000;
    };
    return {took.count(), milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime)};
}

// A home whose store has an account with a mail server. With `waiting`, its
// Outbox holds a mail, noted in the journal as a send that had to wait leaves
// it, and the server takes connections but never answers; else the Outbox is
// empty.
class OutboxHome {
public:
    explicit OutboxHome(bool waiting) : path_(freshFolder()) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        server_ = ::socket(AF_INET, SOCK_STREAM, 0);
        ::bind(server_, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(server_, 64);
        ::getsockname(server_, reinterpret_cast<sockaddr*>(&address), &length);
        lexi::mailstore::SqliteMailStorage store((path_ / "mailstore.db").string());
        lexi::mailstore::Account account;
        account.address = "jens@advokat.dk";
        account.smtpUrl = "smtp://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
        store.setAccount(account);
        if (waiting) {
            lexi::msgfile::Message mail;
            mail.subject = "Svar";
            mail.billingInformation = "MÆRKE";
            mail.recipients.push_back(
                {lexi::msgfile::RecipientType::To, "", "klient@firma.dk", "SMTP", ""});
            store.add(lexi::outlook::FolderOutbox, mail);
            lexi::posix::SqliteRegistry registry((path_ / "registry.db").string());
            lexi::SendJournal(registry).add(
                999999, {"C:\\Sager\\Svar.msg", "", "MÆRKE", "", /*waiting=*/true});
        }
    }
    ~OutboxHome() {
        ::close(server_);
        fs::remove_all(path_);
    }
    OutboxHome(const OutboxHome&) = delete;
    OutboxHome& operator=(const OutboxHome&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
    int server_ = -1;
};

// One whole run of the real program with the arguments, from fork to exit, in
// a home whose Outbox is empty (argument 0) or holds a mail for a server that
// does not answer (1): the two must cost the same, since no start waits on the
// mail server. Each run goes beside a bare process start (/bin/true, the same
// fork, exec and wait); the counters give that start's times and how many of
// them the run costs, in time and in processor time.
void timeRequest(benchmark::State& state, const std::vector<const char*>& request) {
    const OutboxHome home(state.range(0) != 0);
    // The first run creates the registry.
    runToEnd(LEXITRAY_PROGRAM, request, home.path());
    RunCost bareTotal{0, 0};
    RunCost requestTotal{0, 0};
    for (auto _ : state) {
        const RunCost bare = runToEnd("/bin/true", {"true"}, home.path());
        const RunCost took = runToEnd(LEXITRAY_PROGRAM, request, home.path());
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
}

// A document request: an upper bound of the time from process start to the
// mode's first log line, which is the last thing it does before "Slut". The
// document is missing, so the shell answers at once.
void DocumentRequest(benchmark::State& state) {
    timeRequest(state, {"lexitray", "C:\\x.docx", "open"});
}
BENCHMARK(DocumentRequest)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();

// A stop in a home where nothing else runs: it ends itself.
void Stop(benchmark::State& state) {
    timeRequest(state, {"lexitray", "stop"});
}
BENCHMARK(Stop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime();

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
