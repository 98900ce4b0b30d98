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
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lexi::mailstore {
namespace {

msgfile::Message mail(std::string subject, msgfile::Time sentOn = msgfile::NoDate) {
    msgfile::Message message;
    message.subject = std::move(subject);
    message.sentOn = sentOn;
    return message;
}

msgfile::Time at(int hour, int minute, int second = 0) {
    return fromLocal({2026, 12, 5, hour, minute, second});
}

// A sent mail with every property the summary keeps.
msgfile::Message billedMail() {
    msgfile::Message message = mail("Sag 12", at(10, 17, 30));
    message.messageClass = "IPM.Note";
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

struct MemoryFactory {
    fake::ManualClock clock;
    std::unique_ptr<MailStorage> make() { return std::make_unique<MemoryMailStorage>(clock); }
};

struct SqliteFactory {
    testing::TempFolder folder;
    std::unique_ptr<MailStorage> make() {
        return std::make_unique<SqliteMailStorage>(folder.str() + "/store/mail.db");
    }
};

template <typename Factory> class MailStorageContract : public ::testing::Test {
protected:
    Factory factory;
    std::unique_ptr<MailStorage> storage = factory.make();
};

using Implementations = ::testing::Types<MemoryFactory, SqliteFactory>;
TYPED_TEST_SUITE(MailStorageContract, Implementations);

TYPED_TEST(MailStorageContract, HasTheDefaultFoldersAndKeepsTheAccount) {
    const auto folders = this->storage->folders();
    ASSERT_EQ(folders.size(), 8U);
    EXPECT_EQ(this->storage->folder(outlook::FolderSentItems)->name, "Sendt post");
    EXPECT_EQ(this->storage->folder(outlook::FolderOutbox)->path, "\\\\Personlige mapper\\Udbakke");
    EXPECT_EQ(this->storage->folder(outlook::FolderTasks)->defaultItemType, outlook::TaskItem);
    EXPECT_FALSE(this->storage->folder(99));
}

TYPED_TEST(MailStorageContract, KeepsItemsInArrivalOrderUnderStableIds) {
    const std::string first = this->storage->add(outlook::FolderDrafts, mail("første"));
    const std::string second = this->storage->add(outlook::FolderDrafts, mail("anden"));
    EXPECT_EQ(first.size(), 48U);
    EXPECT_NE(first, second);
    EXPECT_EQ(entryIds(*this->storage, outlook::FolderDrafts),
              (std::vector<std::string>{first, second}));
    // Moving to another folder puts the item last there; its ID stays.
    ASSERT_TRUE(this->storage->replace(first, outlook::FolderSentItems, mail("første, sendt")));
    this->storage->add(outlook::FolderSentItems, mail("tredje"));
    EXPECT_EQ(entryIds(*this->storage, outlook::FolderSentItems).front(), first);
    EXPECT_EQ(this->storage->find(first)->summary.subject, "første, sendt");
    EXPECT_EQ(this->storage->find(first)->folder, outlook::FolderSentItems);
    EXPECT_TRUE(this->storage->remove(second));
    EXPECT_FALSE(this->storage->remove(second));
    EXPECT_FALSE(this->storage->find(second));
    EXPECT_FALSE(this->storage->message(second));
    EXPECT_FALSE(this->storage->replace(second, outlook::FolderDrafts, mail("x")));
}

TYPED_TEST(MailStorageContract, FiltersBySendTimeAtTheSecond) {
    this->storage->add(outlook::FolderSentItems, mail("før", at(9, 49, 59)));
    this->storage->add(outlook::FolderSentItems, mail("på grænsen", at(9, 50)));
    const std::string after =
        this->storage->add(outlook::FolderSentItems, mail("efter", at(9, 50, 1)));
    this->storage->add(outlook::FolderSentItems, mail("aldrig sendt"));
    this->storage->add(outlook::FolderInbox, mail("anden mappe", at(10, 0)));
    const TimeFilter filter = parseRestrictFilter("[SentOn] > '05-12-2026 9:50'");
    EXPECT_EQ(entryIds(*this->storage, outlook::FolderSentItems, filter),
              std::vector<std::string>{after});
}

TYPED_TEST(MailStorageContract, KeepsTheSummaryInStepWithTheMessage) {
    const std::string id = this->storage->add(outlook::FolderSentItems, mail("kladde"));
    ASSERT_TRUE(this->storage->replace(id, outlook::FolderSentItems, billedMail()));
    EXPECT_EQ(this->storage->find(id)->summary, ItemSummary::of(billedMail()));
    EXPECT_EQ(this->storage->items(outlook::FolderSentItems, std::nullopt).at(0).summary,
              ItemSummary::of(billedMail()));
    EXPECT_EQ(this->storage->message(id)->body, "Kære klient");
}

TYPED_TEST(MailStorageContract, KeepsTheAccount) {
    Account account;
    account.displayName = "Søren Ærø";
    account.signature = "Med venlig hilsen\nSøren";
    account.smtpUrl = "smtp://127.0.0.1:2525";
    this->storage->setAccount(account);
    EXPECT_EQ(this->storage->account(), account);
}

TEST(SqliteMailStorage, AnotherProcessSeesTheSameItemsUnderTheSameIds) {
    testing::TempFolder folder;
    const std::string path = folder.str() + "/mail.db";
    const std::string id = SqliteMailStorage(path).add(outlook::FolderDrafts, mail("Kladde"));
    constexpr int Writers = 4;
    constexpr int ItemsEach = 25;
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SqliteMailStorage storage(path);
            bool seen = storage.find(id).has_value();
            for (int i = 0; i < ItemsEach; ++i) {
                storage.add(outlook::FolderInbox, mail("mail " + std::to_string(i)));
            }
            ::_exit(seen ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    SqliteMailStorage storage(path);
    EXPECT_EQ(storage.items(outlook::FolderInbox, std::nullopt).size(),
              static_cast<std::size_t>(Writers * ItemsEach));
    EXPECT_EQ(storage.find(id)->summary.subject, "Kladde");
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
    const std::string added = storage.add(outlook::FolderSentItems, mail("ny", at(11, 0)));
    EXPECT_EQ(entryIds(storage, outlook::FolderSentItems,
                       parseRestrictFilter("[SentOn] > '05-12-2026 10:00'")),
              (std::vector<std::string>{"A", added}));
    EXPECT_EQ(SqliteMailStorage(path).find("A")->summary.billingInformation, "10:17:30");
}

TEST(RestrictFilter, ReadsTheFieldTheComparisonAndTheLocalTime) {
    using F = TimeFilter::Field;
    using C = TimeFilter::Comparison;
    const struct {
        const char* text;
        F field;
        C comparison;
        LocalDateTime bound;
    } cases[] = {
        {"[SentOn] > '05-12-2026 9:50'", F::SentOn, C::Greater, {2026, 12, 5, 9, 50, 0}},
        {"[SentOn] > '05-12-2026 10:2'", F::SentOn, C::Greater, {2026, 12, 5, 10, 2, 0}},
        {"[SentOn] > '04-12-2026 23:50'", F::SentOn, C::Greater, {2026, 12, 4, 23, 50, 0}},
        {" [receivedtime]>='1-2-2027 08:00:30' ",
         F::ReceivedTime,
         C::GreaterOrEqual,
         {2027, 2, 1, 8, 0, 30}},
        {"[SentOn] <= '31-12-2026 23:59'", F::SentOn, C::LessOrEqual, {2026, 12, 31, 23, 59, 0}},
    };
    for (const auto& c : cases) {
        const TimeFilter filter = parseRestrictFilter(c.text);
        EXPECT_EQ(std::tuple(filter.field, filter.comparison, toLocal(filter.bound)),
                  std::tuple(c.field, c.comparison, c.bound))
            << c.text;
    }
}

TEST(RestrictFilter, RefusesWhatItCannotRead) {
    for (const char* filter : {"", "[Subject] = 'x'", "[SentOn] = '05-12-2026 9:50'",
                               "[SentOn] > 05-12-2026 9:50", "[SentOn] > '05-12-2026'",
                               "[SentOn] > '32-12-2026 9:50'", "[SentOn] > '05-12-2026 24:00'",
                               "SentOn > '05-12-2026 9:50'", "[SentOn] > '05-12-2026 9:50' x"}) {
        EXPECT_THROW(parseRestrictFilter(filter), Failure) << filter;
    }
}

} // namespace
} // namespace lexi::mailstore
