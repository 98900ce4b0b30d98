// The rules both mail stores keep, and what only the file store can show.

#include "platform/failure.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_mail_storage.h"
#include "platform/outlook.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/mailstore/restrict_filter.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/msgfile/message_file.h"
#include "platform/posix/sqlite_db.h"
#include "tests/support/child_processes.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace lexi::mailstore {
namespace {

msgfile::Message mail(std::string subject, msgfile::Time sentOn = msgfile::NoDate) {
    msgfile::Message message;
    message.subject = std::move(subject);
    message.sentOn = sentOn;
    return message;
}

const char* const NineFifty = "[SentOn] > '05-12-2026 9:50'";

msgfile::Time at(int hour, int minute, int second = 0) {
    return fromLocal({2026, 12, 5, hour, minute, second});
}

// A sent mail with every property the summary keeps.
msgfile::Message billedMail() {
    msgfile::Message message = mail("Sag 12", at(10, 17, 30));
    message.messageClass = "IPM.Note.Sag";
    message.receivedTime = at(10, 17, 31);
    message.billingInformation = "10:17:30";
    message.mileage = "NAV";
    message.body = "Kære klient";
    return message;
}

std::vector<std::string> entryIds(MailStorage& storage, int folder,
                                  const std::optional<TimeFilter>& filter = std::nullopt) {
    std::vector<std::string> ids;
    for (const StoredItem& item : storage.items(folder, filter)) {
        ids.push_back(item.entryId);
    }
    return ids;
}

// Run over the memory store (false) and the SQLite file store (true).
class MailStorageContract : public ::testing::TestWithParam<bool> {
protected:
    fake::ManualClock clock;
    testing::TempFolder folder;
    std::unique_ptr<MailStorage> storage =
        GetParam() ? std::unique_ptr<MailStorage>(new SqliteMailStorage(folder.str() + "/mail.db"))
                   : std::make_unique<MemoryMailStorage>(clock);
};
INSTANTIATE_TEST_SUITE_P(BothStores, MailStorageContract, ::testing::Bool());

TEST_P(MailStorageContract, HasTheDefaultFoldersAndKeepsTheAccount) {
    // The folders' names and paths, the store program's and Outlook's tests show.
    EXPECT_EQ(storage->folders().size(), 8U);
    EXPECT_EQ(storage->folder(outlook::FolderTasks)->defaultItemType, outlook::TaskItem);
    EXPECT_FALSE(storage->folder(99));
    const Account account{"Søren Ærø", "s@f.dk", "12", "Hilsen\nSøren", "smtp://x", "s", "p"};
    storage->setAccount(account);
    EXPECT_EQ(storage->account(), account);
}

TEST_P(MailStorageContract, KeepsItemsInArrivalOrderUnderStableIdsWithTheirSummaries) {
    const std::string first = storage->add(outlook::FolderDrafts, mail("første"));
    const std::string second = storage->add(outlook::FolderDrafts, mail("anden"));
    EXPECT_EQ(first.size(), 48U);
    EXPECT_EQ(entryIds(*storage, outlook::FolderDrafts), (std::vector<std::string>{first, second}));
    // Moving to another folder puts the item last there; its ID stays.
    storage->add(outlook::FolderSentItems, mail("tredje"));
    ASSERT_TRUE(storage->replace(first, outlook::FolderSentItems, billedMail()));
    EXPECT_EQ(entryIds(*storage, outlook::FolderSentItems).back(), first);
    EXPECT_EQ(storage->find(first)->folder, outlook::FolderSentItems);
    EXPECT_EQ(storage->find(first)->summary, ItemSummary::of(billedMail()));
    EXPECT_EQ(storage->items(outlook::FolderSentItems, std::nullopt).back().summary,
              ItemSummary::of(billedMail()));
    EXPECT_EQ(storage->message(first)->body, "Kære klient");
    // Once removed, an item is gone for every call.
    EXPECT_TRUE(storage->remove(second) && !storage->remove(second) && !storage->find(second) &&
                !storage->message(second) && !storage->replace(second, outlook::FolderDrafts, {}));
}

TEST_P(MailStorageContract, FiltersBySendTimeAtTheSecond) {
    storage->add(outlook::FolderSentItems, mail("før", at(9, 49, 59)));
    storage->add(outlook::FolderSentItems, mail("på grænsen", at(9, 50)));
    const std::string after = storage->add(outlook::FolderSentItems, mail("efter", at(9, 50, 1)));
    storage->add(outlook::FolderSentItems, mail("aldrig sendt"));
    EXPECT_EQ(entryIds(*storage, outlook::FolderSentItems, parseRestrictFilter(NineFifty)),
              std::vector<std::string>{after});
}

TEST_P(MailStorageContract, GivesTheOutboxTurnWhenDueAndCountsTheRefusedTries) {
    // What each turn's `due` was shown: the last turn's time, the refused tries in a row.
    std::vector<std::string> shown;
    const auto due = [&](bool answer) {
        return [&shown, answer](msgfile::Time last, int refused) {
            shown.push_back((last == msgfile::NoDate ? "-"
                             : last == at(10, 0)     ? "10"
                                                     : "11") +
                            std::string("/") + std::to_string(refused));
            return answer;
        };
    };
    EXPECT_TRUE(storage->takeOutboxTurn(at(10, 0), due(true)));
    EXPECT_FALSE(storage->takeOutboxTurn(at(11, 0), due(false)));
    storage->noteOutboxTry(true);
    storage->noteOutboxTry(true);
    EXPECT_TRUE(storage->takeOutboxTurn(at(11, 0), due(true)));
    storage->noteOutboxTry(false);
    EXPECT_FALSE(storage->takeOutboxTurn(at(11, 0), due(false)));
    EXPECT_EQ(shown, (std::vector<std::string>{"-/0", "10/0", "10/2", "11/0"}));
}

TEST(SqliteMailStorage, AnotherProcessSeesTheSameItemsUnderTheSameIds) {
    testing::TempFolder folder;
    const std::string path = folder.str() + "/mail.db";
    const std::string id = SqliteMailStorage(path).add(outlook::FolderDrafts, mail("Kladde"));
    const auto writer = [&](int) {
        SqliteMailStorage storage(path);
        for (int i = 0; i < 25; ++i) {
            storage.add(outlook::FolderInbox, mail("mail " + std::to_string(i)));
        }
        return storage.find(id) ? 0 : 1;
    };
    EXPECT_EQ(testing::runInChildren(4, writer), std::vector<int>(4, 0));
    EXPECT_EQ(SqliteMailStorage(path).items(outlook::FolderInbox, std::nullopt).size(), 100U);
    // Of processes that ask for the Outbox's turn at once, one gets it.
    const auto turn = [&](int) {
        return SqliteMailStorage(path).takeOutboxTurn(
                   at(10, 0), [](msgfile::Time last, int) { return last == msgfile::NoDate; })
                   ? 1
                   : 0;
    };
    const std::vector<int> turns = testing::runInChildren(4, turn);
    EXPECT_EQ(std::count(turns.begin(), turns.end(), 1), 1);
}

// A large item is kept in a file of its own, written before its row names
// it, under a new name at every change, and gone with its item.
TEST(SqliteMailStorage, KeepsALargeItemInAFileOfItsOwn) {
    testing::TempFolder folder;
    const std::string path = folder.str() + "/mail.db";
    SqliteMailStorage storage(path);
    const auto files = [&] {
        std::error_code absent;
        const std::filesystem::directory_iterator entries(path + ".files", absent);
        return std::distance(begin(entries), end(entries));
    };
    msgfile::Message large = billedMail();
    large.attachments.emplace_back().data = std::string(2 << 20, 'x');
    const std::string id = storage.add(outlook::FolderInbox, large);
    large.subject = "Ændret";
    storage.replace(id, outlook::FolderInbox, large);
    storage.replace(id, outlook::FolderSentItems, large);
    EXPECT_EQ(files(), 1);
    ASSERT_TRUE(SqliteMailStorage(path).exportFile(id, folder.str() + "/x.msg"));
    EXPECT_EQ(testing::readHostFile(folder.str() + "/x.msg"), msgfile::writeMessage(large));
    storage.remove(id);
    EXPECT_EQ(files(), 0);
}

// A delivered file is exported as the very bytes, in its row or copied to a
// file of its own; a damaged one is refused and leaves no file behind.
TEST(SqliteMailStorage, DeliversAFileAsItIsOrNotAtAll) {
    testing::TempFolder folder;
    const std::string path = folder.str() + "/mail.db";
    SqliteMailStorage storage(path);
    for (const std::size_t attached : {std::size_t{10}, std::size_t{2} << 20}) {
        msgfile::Message message = billedMail();
        message.attachments.emplace_back().data = std::string(attached, 'x');
        const std::string bytes = msgfile::writeMessage(message);
        for (const bool damaged : {false, true}) {
            std::ofstream(folder.str() + "/in.msg", std::ios::binary)
                << (damaged ? bytes.substr(0, bytes.size() / 2) : bytes);
            if (damaged) {
                EXPECT_THROW(storage.addFile(outlook::FolderInbox, folder.str() + "/in.msg"),
                             Failure);
                continue;
            }
            const std::string id = storage.addFile(outlook::FolderInbox, folder.str() + "/in.msg");
            EXPECT_EQ(storage.find(id)->summary, ItemSummary::of(message));
            ASSERT_TRUE(storage.exportFile(id, folder.str() + "/out.msg"));
            EXPECT_EQ(testing::readHostFile(folder.str() + "/out.msg"), bytes) << attached;
        }
    }
    std::error_code absent;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(path + ".files", absent), {}), 1);
    EXPECT_FALSE(storage.exportFile("0000", folder.str() + "/out.msg"));
}

TEST(SqliteMailStorage, OpensAStoreMadeBeforeTheSummaryColumns) {
    testing::TempFolder folder;
    const std::string path = folder.str() + "/mailstore.db";
    {
        posix::SqliteDb db(path);
        db.exec("CREATE TABLE items(position INTEGER PRIMARY KEY AUTOINCREMENT, "
                "entry_id TEXT NOT NULL UNIQUE, folder INTEGER NOT NULL, "
                "sent_on INTEGER NOT NULL, received INTEGER NOT NULL, data BLOB NOT NULL)");
        posix::Statement(db, "INSERT INTO items(entry_id, folder, sent_on, received, data) "
                             "VALUES ('A', 5, ?, ?, ?)")
            .bind(1, billedMail().sentOn.time_since_epoch().count())
            .bind(2, billedMail().receivedTime.time_since_epoch().count())
            .bindBlob(3, msgfile::writeMessage(billedMail()))
            .run();
    }
    SqliteMailStorage storage(path);
    EXPECT_EQ(storage.find("A")->summary, ItemSummary::of(billedMail()));
    storage.add(outlook::FolderSentItems, mail("ny", at(11, 0)));
    EXPECT_EQ(storage.items(outlook::FolderSentItems, parseRestrictFilter(NineFifty)).size(), 2U);
    EXPECT_EQ(SqliteMailStorage(path).find("A")->summary.billingInformation, "10:17:30");
}

TEST(RestrictFilter, ReadsTheFieldTheComparisonAndTheLocalTime) {
    using enum TimeFilter::Field;
    using enum TimeFilter::Comparison;
    using Case = std::tuple<const char*, TimeFilter::Field, TimeFilter::Comparison, LocalDateTime>;
    const Case cases[] = {
        {"[SentOn] > '05-12-2026 10:2'", SentOn, Greater, {2026, 12, 5, 10, 2, 0}},
        {"[receivedtime]>='1-2-2027 8:00'", ReceivedTime, GreaterOrEqual, {2027, 2, 1, 8, 0, 0}},
        {" [SentOn] <= '31-12-2026 23:59:59' ", SentOn, LessOrEqual, {2026, 12, 31, 23, 59, 59}},
    };
    for (const auto& [text, field, comparison, bound] : cases) {
        const TimeFilter filter = parseRestrictFilter(text);
        EXPECT_EQ(std::tuple(filter.field, filter.comparison, toLocal(filter.bound)),
                  std::tuple(field, comparison, bound))
            << text;
    }
    for (const char* filter : {"", "[Subject] = 'x'", "[SentOn] = '05-12-2026 9:50'",
                               "[SentOn] > 05-12-2026 9:50", "[SentOn] > '05-12-2026'",
                               "[SentOn] > '32-12-2026 9:50'", "[SentOn] > '05-12-2026 9:50' x"}) {
        EXPECT_THROW(parseRestrictFilter(filter), Failure) << filter;
    }
}

} // namespace
} // namespace lexi::mailstore
