// Mail requests of the real program killed at random moments, each followed
// by a start of the program: nothing the case-management system handed over
// is lost or carried into another request, nothing is reported as filed that
// is not there whole, and every sent mail is filed once, in its own case.

#include "platform/cp1252.h"
#include "platform/outlook.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/msgfile/message_file.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <random>
#include <thread>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
constexpr auto npos = std::string::npos;

constexpr int Lanes = 10;
constexpr int RequestsPerLane = 5;

// One user's workstation, on which requests run one after another.
class Lane {
public:
    explicit Lane(int number) : number_(number) {
        fs::create_directories(drive() / "Sager");
        std::ofstream(work.path() / "send") << "mail send\n";
        std::ofstream(work.path() / "none") << "";
    }

    fs::path drive() const { return home.path() / "drive_c"; }
    std::string id(int request) const {
        char text[40];
        std::snprintf(text, sizeof text, "{00000000-0000-0000-%04d-%012d}", number_, request);
        return text;
    }
    std::string subject(int request) const {
        return "Sag " + std::to_string(number_) + "-" + std::to_string(request);
    }
    std::string recipient(int request) const {
        return "klient" + std::to_string(number_) + "-" + std::to_string(request) + "@firma.dk";
    }
    std::string document(int request) const { return "Bilag " + std::to_string(request) + ".txt"; }
    fs::path saved(int request) const { return drive() / "Sager" / (id(request) + ".msg"); }
    fs::path callback(int request) const { return drive() / ("Mail_" + id(request) + ".txt"); }

    // The exchange files of a request: its recipient, subject, document and case.
    void handOver(int request) {
        std::ofstream(drive() / "Sager" / document(request)) << subject(request);
        write("finmail.txt", recipient(request) + "\r\n[subject]=" + subject(request) + "\r\n");
        write("findoc.txt", "C:\\Sager\\" + document(request) + "\r\n");
        write("tmp.txt", "C:\\Sager\r\nK\r\n" + std::to_string(request) + "\r\nC:\\Sager\\" +
                             id(request) + ".msg\r\n\r\n\r\n" + id(request) + "\r\n");
    }

    // Runs the program. With a delay: waits until the request has passed
    // the start picture, then kills it after `delay` when it still runs;
    // answers how long it ran past the start picture.
    milliseconds run(const std::vector<std::string>& arguments, const std::string& script,
                     std::optional<milliseconds> delay) {
        testing::RunningProgram program(LEXITRAY_PROGRAM, arguments,
                                        {{"LEXITRAY_HOME", home.str()},
                                         {"LEXITRAY_UI", "script"},
                                         {"LEXITRAY_UI_SCRIPT", (work.path() / script).string()},
                                         {"LEXITRAY_UI_TRANSCRIPT", (work.path() / "t").string()},
                                         {"TMPDIR", work.str()}},
                                        work.path());
        const auto limit = steady_clock::now() + seconds(5);
        while (newLog(false).find("Starting new instance of NaviMail") == npos &&
               steady_clock::now() < limit) {
            std::this_thread::sleep_for(milliseconds(1));
        }
        const auto past = steady_clock::now();
        if (delay) {
            std::this_thread::sleep_for(*delay);
            ::kill(program.id(), SIGKILL);
        }
        program.wait();
        return duration_cast<milliseconds>(steady_clock::now() - past);
    }

    // What the run log gained since the last look.
    // With `mark`, the next look starts after it.
    std::string newLog(bool mark = true) {
        std::string log;
        for (const auto& entry : fs::directory_iterator(drive())) {
            if (entry.path().filename().string().starts_with("Lexitray_")) {
                log = testing::readHostFile(entry.path());
            }
        }
        std::string gained = log.substr(std::min(logSeen_, log.size()));
        if (mark) {
            logSeen_ = log.size();
        }
        return gained;
    }

    testing::TempFolder home;
    testing::TempFolder work;

private:
    void write(const std::string& name, const std::string& text) {
        std::ofstream(drive() / name, std::ios::binary) << cp1252::fromUtf8(text);
    }

    int number_;
    std::size_t logSeen_ = 0;
};

// What the store holds of each subject: how many items, how many in Sent
// Items, and what the last one carries (its recipients and documents).
struct Held {
    int stored = 0;
    int sent = 0;
    std::string carried;
};

std::map<std::string, Held> heldBySubject(Lane& lane) {
    mailstore::SqliteMailStorage store((lane.home.path() / "mailstore.db").string());
    std::map<std::string, Held> held;
    for (const auto& folder : store.folders()) {
        for (const auto& item : store.items(folder.id, std::nullopt)) {
            Held& mail = held[item.summary.subject];
            ++mail.stored;
            mail.sent += folder.id == outlook::FolderSentItems ? 1 : 0;
            mail.carried.clear();
            const auto message = store.message(item.entryId);
            for (const auto& recipient : message->recipients) {
                mail.carried += recipient.address + " ";
            }
            for (const auto& attachment : message->attachments) {
                mail.carried += attachment.displayName + " ";
            }
        }
    }
    return held;
}

// Every request's outcome on the lane once all have run.
void checkLane(Lane& lane) {
    std::map<std::string, Held> held = heldBySubject(lane);
    EXPECT_EQ(held.size(), static_cast<std::size_t>(RequestsPerLane))
        << "a mail of no request's subject: a request without its own exchange files";
    for (int request = 1; request <= RequestsPerLane; ++request) {
        const std::string subject = lane.subject(request);
        SCOPED_TRACE(subject);
        // Each request was taken, or started again until it was.
        const Held& mail = held[subject];
        EXPECT_GT(mail.stored, 0) << "exchange file lost, mail not stored";
        EXPECT_EQ(mail.carried, lane.recipient(request) + " " + lane.document(request) + " ")
            << "another request's recipient or document";
        EXPECT_LE(mail.sent, 1) << "sent twice";
        const bool filed = fs::exists(lane.saved(request));
        if (filed) {
            EXPECT_EQ(msgfile::readMessageFile(lane.saved(request).string()).subject, subject)
                << "truncated, or another case's mail";
        }
        const std::string callback = testing::readHostFile(lane.callback(request));
        if (!callback.empty()) {
            EXPECT_TRUE(filed) << "callback without its file";
        }
        if (mail.sent == 1) {
            EXPECT_TRUE(filed) << "sent but not filed";
            EXPECT_EQ(callback, lane.id(request) + "\r\n1\r\n");
        }
    }
}

TEST(MailKillTest, KilledRequestsLoseNothingAndFileEverySentMailOnce) {
    // How long a request runs past its start picture: the kills fall in it.
    Lane calibration(0);
    calibration.handOver(1);
    const milliseconds whole = calibration.run({"mail"}, "send", std::nullopt);
    ASSERT_TRUE(fs::exists(calibration.saved(1))) << "a request that is not killed files its mail";

    std::mutex mutex;
    std::vector<std::thread> lanes;
    for (int number = 1; number <= Lanes; ++number) {
        lanes.emplace_back([&, number] {
            Lane lane(number);
            std::mt19937 random(number);
            std::uniform_int_distribution<long> delay(0, whole.count() * 3 / 4);
            for (int request = 1; request <= RequestsPerLane; ++request) {
                lane.handOver(request);
                lane.newLog();
                lane.run({"mail"}, "send", milliseconds(delay(random)));
                // The next start finishes what was left. A request whose
                // mail never came into being is started again, without its
                // files handed over anew: it gets back what the killed one
                // took.
                const bool made = heldBySubject(lane).contains(lane.subject(request));
                lane.run({made ? "setup" : "mail"}, made ? "none" : "send", std::nullopt);
            }
            const std::lock_guard lock(mutex);
            checkLane(lane);
        });
    }
    for (std::thread& lane : lanes) {
        lane.join();
    }
}

} // namespace
} // namespace lexi
