// What the search for a sent mail costs on a full mail store: Sent Items with
// 10,000 mails in the SQLite store, Restrict on the send time, and a walk of
// the result from the last position down reading each item's
// BillingInformation until the marker is found, through Outlook's object
// model as the filing of sent mail does it. The marker is on the oldest mail
// the filter selects, so the walk reads every one: the worst case.

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
    std::string deliver(const msgfile::Message&, const mailstore::Account&) override { return {}; }
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
    const LocalDateTime bound =
        mailstore::toLocal(sentTime(MailCount - selected) - std::chrono::seconds{1});
    return "[SentOn] > '" + danish::shortDate(bound) + " " + danish::longTime(bound) + "'";
}

void FindTheMarkerAmongSentMail(benchmark::State& state) {
    const int selected = static_cast<int>(state.range(0));
    posix::SystemClock clock;
    // Nobody is asked anything: the scripted UI with no script, transcript dropped.
    script::ScriptedUi ui("", [](const script::Record&) {});
    NoTransport transport;
    const posix::DriveTable drives({});
    mailstore::LocalOutlook outlook(storePath(), clock, ui, ui, drives, transport);
    const auto application = outlook.start();
    const std::string filter = filterForLast(selected);
    // The mark the sending put in BillingInformation, on the oldest mail selected.
    const std::string marker = "mærke " + std::to_string(selected);
    const ItemPtr oldest = application->session()
                               ->getDefaultFolder(outlook::FolderSentItems)
                               ->items()
                               ->restrict(filter)
                               ->item(1);
    oldest->setBillingInformation(marker);
    oldest->save();
    for (auto _ : state) {
        const ItemsPtr found = application->session()
                                   ->getDefaultFolder(outlook::FolderSentItems)
                                   ->items()
                                   ->restrict(filter);
        // Counted again at every step, as the filing does to notice new mail.
        int position = found->count();
        while (position >= 1 && found->count() > 0 &&
               found->item(position)->billingInformation() != marker) {
            --position;
        }
        if (position != 1) {
            state.SkipWithError("the marker was not found on the oldest selected mail");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * selected);
}
BENCHMARK(FindTheMarkerAmongSentMail)->Arg(100)->Arg(MailCount)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
