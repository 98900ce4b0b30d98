// What a mail filing search costs on a full mail store: Sent Items with
// 10,000 mails in the SQLite store, Restrict on the send time, and a walk of
// the result from the last position down reading each item's
// BillingInformation, through Outlook's object model as the mail features
// use it. A second benchmark walks the storage directly, to show how much of
// the cost is the object model's.

#include "platform/danish_format.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/mailstore/opened_store.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/system_clock.h"
#include "platform/script/scripted_ui.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>

namespace {

using namespace lexi;
namespace fs = std::filesystem;

constexpr int MailCount = 10'000;
// The first mail's send time; each next one is a minute later.
constexpr LocalDateTime FirstSent{2026, 1, 5, 8, 0, 0};

class NoTransport final : public mailstore::MailTransport {
public:
    void deliver(const msgfile::Message&, const mailstore::Account&) override {}
};

msgfile::Time sentTime(int index) {
    return mailstore::fromLocal(FirstSent) + std::chrono::minutes{index};
}

// A small, realistic sent mail: two recipients, a few lines of text, a case
// number as billing information on most.
msgfile::Message sentMail(int index) {
    msgfile::Message mail;
    const std::string caseNumber = std::to_string(1000 + index % 400);
    mail.subject = "Sag " + caseNumber + " - brev til klient om møde nr. " + std::to_string(index);
    mail.body = "Kære klient\r\n\r\nHermed bekræftes mødet om sag " + caseNumber +
                " på kontoret i Århus.\r\nVedlagt finder du dagsordenen.\r\n\r\n"
                "Med venlig hilsen\r\nJens Ærø\r\nAdvokatfirmaet";
    mail.bodyFormat = msgfile::BodyFormat::Plain;
    mail.senderName = "Jens Ærø";
    mail.senderAddress = "jens@advokat.dk";
    mail.senderAddressType = "SMTP";
    mail.recipients = {{msgfile::RecipientType::To, "Søren Ås", "soren@klient.dk", "SMTP", ""},
                       {msgfile::RecipientType::Cc, "Mette", "mette@advokat.dk", "SMTP", ""}};
    mail.displayTo = "Søren Ås";
    mail.displayCc = "Mette";
    mail.sentOn = sentTime(index);
    mail.receivedTime = mail.sentOn;
    mail.flags = msgfile::message_flag::Read;
    if (index % 5 != 0) {
        mail.billingInformation = "Sag " + caseNumber;
    }
    return mail;
}

// The store, built once in a temporary folder that is left for the system
// to clean.
const std::string& storePath() {
    static const std::string path = [] {
        std::string folder = (fs::temp_directory_path() / "lexitray-bench-XXXXXX").string();
        const std::string file = std::string(::mkdtemp(folder.data())) + "/mailstore.db";
        mailstore::SqliteMailStorage storage(file);
        for (int index = 0; index < MailCount; ++index) {
            storage.add(outlook::FolderSentItems, sentMail(index));
        }
        return file;
    }();
    return path;
}

// The filter that selects the last `selected` mails.
std::string filterForLast(int selected) {
    const LocalDateTime bound = mailstore::toLocal(sentTime(MailCount - selected - 1));
    return "[SentOn] > '" + danish::shortDate(bound) + " " + danish::longTime(bound) + "'";
}

void RestrictAndWalkBillingInformation(benchmark::State& state) {
    const int selected = static_cast<int>(state.range(0));
    posix::SystemClock clock;
    // Nobody is asked anything: the scripted UI with no script, transcript dropped.
    script::ScriptedUi ui("", [](const script::Record&) {});
    NoTransport transport;
    const posix::DriveTable drives({});
    mailstore::LocalOutlook outlook(storePath(), clock, ui, ui, drives, transport);
    const auto application = outlook.start();
    const std::string filter = filterForLast(selected);
    std::size_t billed = 0;
    for (auto _ : state) {
        const ItemsPtr found = application->session()
                                   ->getDefaultFolder(outlook::FolderSentItems)
                                   ->items()
                                   ->restrict(filter);
        const int count = found->count();
        if (count != selected) {
            state.SkipWithError("the filter selected the wrong number of mails");
            return;
        }
        for (int index = count; index >= 1; --index) {
            billed += found->item(index)->billingInformation().size();
        }
    }
    benchmark::DoNotOptimize(billed);
    state.SetItemsProcessed(state.iterations() * selected);
}
BENCHMARK(RestrictAndWalkBillingInformation)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(MailCount)
    ->Unit(benchmark::kMillisecond);

// The same search on the storage: the id list read once, each item parsed.
void StorageWalkBillingInformation(benchmark::State& state) {
    const int selected = static_cast<int>(state.range(0));
    mailstore::SqliteMailStorage storage(storePath());
    const mailstore::TimeFilter filter{mailstore::TimeFilter::Field::SentOn,
                                       mailstore::TimeFilter::Comparison::Greater,
                                       sentTime(MailCount - selected - 1)};
    std::size_t billed = 0;
    for (auto _ : state) {
        const auto ids = storage.entryIds(outlook::FolderSentItems, filter);
        for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
            billed += storage.find(*id)->message.billingInformation.size();
        }
    }
    benchmark::DoNotOptimize(billed);
    state.SetItemsProcessed(state.iterations() * selected);
}
BENCHMARK(StorageWalkBillingInformation)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(MailCount)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
