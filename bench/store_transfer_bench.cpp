// What taking a mail into the mail store and saving it out again costs, set
// against copying the same file, for a mail with ten attachments of 1 MB and
// 200 properties: `lexitray-store deliver` and `export` against `cp`, each a
// program run from the shell ("times_cp"), and the same store calls inside
// one process against std::filesystem::copy_file ("times_copy"). A delivery
// is on the disk before it counts as stored, which cp does not wait for:
// "times_synced_cp" sets it against cp followed by sync of the copy.

#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/msgfile/message_file.h"
#include "platform/posix/msgfile/text_encoding.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ranges>
#include <stdexcept>

namespace {

using namespace lexi::msgfile;
namespace fs = std::filesystem;

constexpr int Attachments = 10;
constexpr std::size_t Megabyte = 1 << 20;
constexpr int Properties = 200;

// A received mail: the fields the program reads, then as many other
// properties (texts, numbers, named ones) as make 200 in all.
Message receivedMail() {
    Message mail;
    mail.subject = "Bilag til sag 2024-117";
    mail.body = "Hermed bilagene.";
    mail.senderName = "Åse Øster";
    mail.senderAddress = "aase@example.dk";
    mail.senderAddressType = "SMTP";
    mail.internetMessageId = "bilag-117@example.dk";
    mail.recipients = {{RecipientType::To, "Jens Ærø", "jens@advokat.dk", "SMTP", ""}};
    for (int i = 0; i < Attachments; ++i) {
        std::string data(Megabyte, '\0');
        for (std::size_t b = 0; b < data.size(); ++b) {
            data[b] = static_cast<char>(b * 31 + static_cast<std::size_t>(i));
        }
        const std::string name = "bilag " + std::to_string(i + 1) + ".pdf";
        Attachment attachment;
        attachment.data = std::move(data);
        attachment.longFileName = name;
        mail.attachments.push_back(std::move(attachment));
    }
    constexpr Guid OwnSet{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const auto written =
        static_cast<int>(std::ranges::distance(readMessage(writeMessage(mail)).properties));
    for (int i = 0; written + i < Properties; ++i) {
        const auto id = static_cast<std::uint16_t>(0x6000 + i);
        const PropertyKey key =
            i % 3 == 2 ? named(OwnSet, static_cast<std::uint32_t>(i)) : tagged(id);
        if (i % 2 == 0) {
            mail.properties.put({key, property_type::Unicode, 0x6, 0,
                                 utf8ToUtf16("Værdi nummer " + std::to_string(i))});
        } else {
            mail.properties.put({key, property_type::Long, 0x6, static_cast<std::uint64_t>(i)});
        }
    }
    return mail;
}

// A folder of its own, as the home of the store, and the mail file in it.
struct Workspace {
    Workspace() {
        std::string pattern = (fs::temp_directory_path() / "lexitray-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        mail = folder + "/bilag.msg";
        writeMessageFile(receivedMail(), mail);
    }
    ~Workspace() { fs::remove_all(folder); }

    std::string folder;
    std::string mail;
};

// Runs a command line from the shell in the workspace, with the workspace as
// home; its first line of output.
std::string run(const Workspace& workspace, const std::string& command) {
    const std::string line = "cd '" + workspace.folder + "' && HOME='" + workspace.folder +
                             "' LEXITRAY_HOME= XDG_DATA_HOME= " + command;
    FILE* output = ::popen(line.c_str(), "r");
    char buffer[256] = {};
    const bool read = output != nullptr && std::fgets(buffer, sizeof buffer, output) != nullptr;
    const int status = output != nullptr ? ::pclose(output) : -1;
    if (status != 0) {
        throw std::runtime_error("failed: " + command);
    }
    std::string first = read ? buffer : "";
    if (!first.empty() && first.back() == '\n') {
        first.pop_back();
    }
    return first;
}

double seconds(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

void DeliverAndExportAgainstCp(benchmark::State& state) {
    const Workspace workspace;
    const std::string store = LEXITRAY_STORE_PROGRAM;
    double storeSeconds = 0;
    double cpSeconds = 0;
    double syncedCpSeconds = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        const std::string entryId = run(workspace, "'" + store + "' deliver 6 bilag.msg");
        run(workspace, "'" + store + "' export " + entryId + " eksporteret.msg");
        const auto stored = std::chrono::steady_clock::now();
        run(workspace, "cp bilag.msg kopi.msg");
        const auto copied = std::chrono::steady_clock::now();
        run(workspace, "cp bilag.msg sikret.msg && sync sikret.msg");
        const auto synced = std::chrono::steady_clock::now();
        storeSeconds += seconds(stored - started);
        cpSeconds += seconds(copied - stored);
        syncedCpSeconds += seconds(synced - copied);
        state.SetIterationTime(seconds(stored - started));
    }
    state.counters["cp_ms"] = 1000 * cpSeconds / static_cast<double>(state.iterations());
    state.counters["times_cp"] = storeSeconds / cpSeconds;
    state.counters["times_synced_cp"] = storeSeconds / syncedCpSeconds;
}
// Each delivery adds 10 MB to the store: a fixed number of rounds.
BENCHMARK(DeliverAndExportAgainstCp)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same store calls inside one process, where the program's start is not
// counted, against copying the file the way cp does.
void DeliverAndExportInProcessAgainstCopy(benchmark::State& state) {
    const Workspace workspace;
    lexi::mailstore::SqliteMailStorage storage(workspace.folder + "/mailstore.db");
    double storeSeconds = 0;
    double copySeconds = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        const std::string entryId = storage.addFile(6, workspace.mail);
        storage.exportFile(entryId, workspace.folder + "/eksporteret.msg");
        const auto stored = std::chrono::steady_clock::now();
        fs::copy_file(workspace.mail, workspace.folder + "/kopi.msg",
                      fs::copy_options::overwrite_existing);
        const auto copied = std::chrono::steady_clock::now();
        storeSeconds += seconds(stored - started);
        copySeconds += seconds(copied - stored);
        state.SetIterationTime(seconds(stored - started));
    }
    state.counters["copy_ms"] = 1000 * copySeconds / static_cast<double>(state.iterations());
    state.counters["times_copy"] = storeSeconds / copySeconds;
}
BENCHMARK(DeliverAndExportInProcessAgainstCopy)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
