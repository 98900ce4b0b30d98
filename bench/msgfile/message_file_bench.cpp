#include "platform/posix/msgfile/message_file.h"

#include <benchmark/benchmark.h>

using namespace lexi::msgfile;

// A mail with ten attachments of 1 MB each, the size of a typical filed mail
// with scanned documents.
namespace {

Message mailWithTenMegabytes() {
    constexpr std::size_t Megabyte = 1 << 20;
    Message m;
    m.subject = "Bilag til sag 2024-117";
    m.body = "Hermed bilagene.";
    m.recipients = {{RecipientType::To, "Åse Øster", "aase@example.dk", "SMTP", ""}};
    for (int i = 0; i < 10; ++i) {
        std::string data(Megabyte, '\0');
        for (std::size_t b = 0; b < data.size(); ++b) {
            data[b] = static_cast<char>(b * 31 + static_cast<std::size_t>(i));
        }
        const std::string name = "bilag " + std::to_string(i + 1) + ".pdf";
        m.attachments.push_back({AttachMethod::ByValue, std::move(data), "", name, name, "", -1});
    }
    return m;
}

void writeTenMegabyteMail(benchmark::State& state) {
    const Message message = mailWithTenMegabytes();
    for (auto _ : state) {
        benchmark::DoNotOptimize(writeMessage(message));
    }
    state.SetBytesProcessed(state.iterations() * 10 * (1 << 20));
}
BENCHMARK(writeTenMegabyteMail)->Unit(benchmark::kMillisecond);

void readTenMegabyteMail(benchmark::State& state) {
    const std::string file = writeMessage(mailWithTenMegabytes());
    for (auto _ : state) {
        benchmark::DoNotOptimize(readMessage(file));
    }
    state.SetBytesProcessed(state.iterations() * 10 * (1 << 20));
}
BENCHMARK(readTenMegabyteMail)->Unit(benchmark::kMillisecond);

} // namespace
