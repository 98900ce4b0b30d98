#include "platform/posix/mailstore/sqlite_mail_storage.h"

#include "platform/failure.h"
#include "platform/posix/msgfile/message_file.h"

#include <filesystem>
#include <sys/random.h>

namespace lexi::mailstore {
namespace {

constexpr const char* Schema = R"sql(
CREATE TABLE IF NOT EXISTS folders(
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL,
    path TEXT NOT NULL,
    default_item_type INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS items(
    position INTEGER PRIMARY KEY AUTOINCREMENT,
    entry_id TEXT NOT NULL UNIQUE,
    folder INTEGER NOT NULL,
    sent_on INTEGER NOT NULL,
    received INTEGER NOT NULL,
    data BLOB NOT NULL);
CREATE INDEX IF NOT EXISTS items_in_folder ON items(folder, position);
CREATE INDEX IF NOT EXISTS items_by_send_time ON items(folder, sent_on);
CREATE TABLE IF NOT EXISTS account(
    name TEXT PRIMARY KEY,
    value TEXT NOT NULL);
)sql";

std::int64_t ticks(msgfile::Time time) {
    return time.time_since_epoch().count();
}

template <typename Action> auto guarded(Action action) {
    try {
        return action();
    } catch (const posix::SqliteError& error) {
        throw Failure(failure::AutomationError,
                      std::string("The mail store failed: ") + error.what(), "MailStore");
    }
}

const char* comparisonSql(TimeFilter::Comparison comparison) {
    switch (comparison) {
    case TimeFilter::Comparison::Greater:
        return ">";
    case TimeFilter::Comparison::GreaterOrEqual:
        return ">=";
    case TimeFilter::Comparison::Less:
        return "<";
    case TimeFilter::Comparison::LessOrEqual:
        return "<=";
    }
    return ">";
}

// The account's fields by their stored names.
struct AccountField {
    const char* name;
    std::string Account::*field;
};
constexpr AccountField AccountFields[] = {
    {"displayName", &Account::displayName},   {"address", &Account::address},
    {"version", &Account::version},           {"signature", &Account::signature},
    {"smtpUrl", &Account::smtpUrl},           {"smtpUser", &Account::smtpUser},
    {"smtpPassword", &Account::smtpPassword},
};

} // namespace

std::string newEntryId() {
    // Fresh randomness for every ID: processes that share a parent must not
    // share a generator's state.
    unsigned char bytes[20] = {};
    std::size_t filled = 0;
    while (filled < sizeof bytes) {
        const ssize_t got = ::getrandom(bytes + filled, sizeof bytes - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        }
    }
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string id = "00000000";
    for (const unsigned char byte : bytes) {
        id += Digits[byte >> 4];
        id += Digits[byte & 0xF];
    }
    return id;
}

SqliteMailStorage::SqliteMailStorage(const std::string& databasePath)
    : db_([&] {
          std::error_code ignored;
          std::filesystem::create_directories(std::filesystem::path(databasePath).parent_path(),
                                              ignored);
          return guarded([&] { return posix::SqliteDb(databasePath); });
      }()) {
    guarded([&] {
        posix::WriteTransaction transaction(db_);
        db_.exec(Schema);
        posix::Statement insert(db_, "INSERT OR IGNORE INTO folders(id, name, path, "
                                     "default_item_type) VALUES (?, ?, ?, ?)");
        for (const FolderInfo& folder : defaultFolders()) {
            insert.bind(1, std::int64_t{folder.id})
                .bind(2, folder.name)
                .bind(3, folder.path)
                .bind(4, std::int64_t{folder.defaultItemType})
                .run();
        }
        transaction.commit();
        return 0;
    });
}

std::vector<FolderInfo> SqliteMailStorage::folders() {
    return guarded([&] {
        std::vector<FolderInfo> result;
        posix::Statement query(db_, "SELECT id, name, path, default_item_type FROM folders "
                                    "ORDER BY id");
        while (query.step()) {
            result.push_back({static_cast<int>(query.integer(0)), query.text(1), query.text(2),
                              static_cast<int>(query.integer(3))});
        }
        return result;
    });
}

std::optional<FolderInfo> SqliteMailStorage::folder(int id) {
    for (FolderInfo& folder : folders()) {
        if (folder.id == id) {
            return std::move(folder);
        }
    }
    return std::nullopt;
}

void SqliteMailStorage::insert(std::string_view entryId, int folder,
                               const msgfile::Message& message) {
    ++ownChanges_;
    posix::Statement(db_, "INSERT INTO items(entry_id, folder, sent_on, received, data) "
                          "VALUES (?, ?, ?, ?, ?)")
        .bind(1, entryId)
        .bind(2, std::int64_t{folder})
        .bind(3, ticks(message.sentOn))
        .bind(4, ticks(message.receivedTime))
        .bindBlob(5, msgfile::writeMessage(message))
        .run();
}

std::string SqliteMailStorage::add(int folder, const msgfile::Message& message) {
    return guarded([&] {
        std::string entryId = newEntryId();
        insert(entryId, folder, message);
        return entryId;
    });
}

bool SqliteMailStorage::replace(std::string_view entryId, int folder,
                                const msgfile::Message& message) {
    return guarded([&] {
        posix::WriteTransaction transaction(db_);
        posix::Statement current(db_, "SELECT folder FROM items WHERE entry_id = ?");
        if (!current.bind(1, entryId).step()) {
            return false;
        }
        if (current.integer(0) == folder) {
            ++ownChanges_;
            posix::Statement(db_, "UPDATE items SET sent_on = ?, received = ?, data = ? "
                                  "WHERE entry_id = ?")
                .bind(1, ticks(message.sentOn))
                .bind(2, ticks(message.receivedTime))
                .bindBlob(3, msgfile::writeMessage(message))
                .bind(4, entryId)
                .run();
        } else {
            posix::Statement(db_, "DELETE FROM items WHERE entry_id = ?").bind(1, entryId).run();
            insert(entryId, folder, message);
        }
        transaction.commit();
        return true;
    });
}

std::optional<StoredItem> SqliteMailStorage::find(std::string_view entryId) {
    return guarded([&]() -> std::optional<StoredItem> {
        posix::Statement query(db_, "SELECT folder, data FROM items WHERE entry_id = ?");
        if (!query.bind(1, entryId).step()) {
            return std::nullopt;
        }
        return StoredItem{std::string(entryId), static_cast<int>(query.integer(0)),
                          msgfile::readMessage(query.blob(1))};
    });
}

bool SqliteMailStorage::remove(std::string_view entryId) {
    return guarded([&] {
        posix::Statement erase(db_, "DELETE FROM items WHERE entry_id = ? RETURNING 1");
        const bool removed = erase.bind(1, entryId).step();
        erase.run();
        ownChanges_ += removed;
        return removed;
    });
}

std::vector<std::string> SqliteMailStorage::entryIds(int folder,
                                                     const std::optional<TimeFilter>& filter) {
    return guarded([&] {
        std::string sql = "SELECT entry_id FROM items WHERE folder = ?";
        if (filter) {
            sql += filter->field == TimeFilter::Field::SentOn ? " AND sent_on " : " AND received ";
            sql += comparisonSql(filter->comparison);
            sql += " ?3 AND ";
            sql += filter->field == TimeFilter::Field::SentOn ? "sent_on" : "received";
            sql += " <> ?2";
        }
        sql += " ORDER BY position";
        posix::Statement query(db_, sql.c_str());
        query.bind(1, std::int64_t{folder});
        if (filter) {
            query.bind(2, ticks(msgfile::NoDate)).bind(3, ticks(filter->bound));
        }
        std::vector<std::string> ids;
        while (query.step()) {
            ids.push_back(query.text(0));
        }
        return ids;
    });
}

std::uint64_t SqliteMailStorage::changeCount() {
    return guarded([&] {
        posix::Statement version(db_, "PRAGMA data_version");
        version.step();
        return (static_cast<std::uint64_t>(version.integer(0)) << 32) + ownChanges_;
    });
}

Account SqliteMailStorage::account() {
    return guarded([&] {
        Account account;
        posix::Statement query(db_, "SELECT name, value FROM account");
        while (query.step()) {
            for (const auto& [name, field] : AccountFields) {
                if (query.text(0) == name) {
                    account.*field = query.text(1);
                }
            }
        }
        return account;
    });
}

void SqliteMailStorage::setAccount(const Account& account) {
    guarded([&] {
        posix::WriteTransaction transaction(db_);
        posix::Statement upsert(db_, "INSERT INTO account(name, value) VALUES (?, ?) "
                                     "ON CONFLICT(name) DO UPDATE SET value = excluded.value");
        for (const auto& [name, field] : AccountFields) {
            upsert.bind(1, name).bind(2, account.*field).run();
        }
        transaction.commit();
        return 0;
    });
}

} // namespace lexi::mailstore
