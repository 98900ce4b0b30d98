#include "platform/posix/mailstore/sqlite_mail_storage.h"

#include "platform/failure.h"
#include "platform/posix/file_lock.h"
#include "platform/posix/lexitray_home.h"
#include "platform/posix/mailstore/file_in_place.h"
#include "platform/posix/msgfile/message_file.h"

#include <cerrno>
#include <filesystem>
#include <sqlite3.h>
#include <sys/random.h>
#include <unistd.h>

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
    data BLOB NOT NULL,
    file TEXT NOT NULL DEFAULT '',
    message_class TEXT NOT NULL DEFAULT '',
    subject TEXT NOT NULL DEFAULT '',
    billing_information TEXT NOT NULL DEFAULT '',
    mileage TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS account(
    name TEXT PRIMARY KEY,
    value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS outbox_turn(
    id INTEGER PRIMARY KEY CHECK (id = 1),
    last_try INTEGER NOT NULL,
    refused_in_a_row INTEGER NOT NULL);
)sql";

// A folder's items in order, and those sent in a time span, with their
// summaries: read without touching the rows, which hold the whole messages.
constexpr const char* Indexes = R"sql(
DROP INDEX IF EXISTS items_in_folder;
DROP INDEX IF EXISTS items_by_send_time;
CREATE INDEX IF NOT EXISTS items_listed ON items(folder, position, entry_id, sent_on, received,
    message_class, subject, billing_information, mileage);
CREATE INDEX IF NOT EXISTS items_by_sent_on ON items(folder, sent_on, position, entry_id,
    received, message_class, subject, billing_information, mileage);
)sql";

// The version of the tables above, with the default folders: a store that
// has it is opened without a write.
constexpr int SchemaVersion = 2;

// The log is copied into the database once it holds this many pages: a
// delivery writes a few, and every process that opens the store reads it.
constexpr int CheckpointPages = 64;

// The summary columns, which stores made before them lack.
constexpr const char* AddSummaryColumns = R"sql(
ALTER TABLE items ADD COLUMN message_class TEXT NOT NULL DEFAULT '';
ALTER TABLE items ADD COLUMN subject TEXT NOT NULL DEFAULT '';
ALTER TABLE items ADD COLUMN billing_information TEXT NOT NULL DEFAULT '';
ALTER TABLE items ADD COLUMN mileage TEXT NOT NULL DEFAULT '';
)sql";

// The file column, which stores made before it lack: all their items are
// kept in their rows.
constexpr const char* AddFileColumn = "ALTER TABLE items ADD COLUMN file TEXT NOT NULL DEFAULT ''";

// A message file this large is kept in a file of its own beside the database,
// which the row names: SQLite would write it twice (into its log, then into
// the database) and read it page by page.
constexpr std::size_t RowLimit = 1 << 20;
// The data of a row whose item is in a file of its own: an empty blob, not
// NULL, which the column does not take.
constexpr std::string_view InOwnFile{"", 0};

// An item as the lists read it, from these columns in this order.
constexpr const char* StoredItemColumns =
    "entry_id, folder, sent_on, received, message_class, subject, billing_information, mileage";

std::int64_t ticks(msgfile::Time time) {
    return time.time_since_epoch().count();
}

msgfile::Time timeOf(std::int64_t ticks) {
    return msgfile::Time{msgfile::Ticks{ticks}};
}

StoredItem storedItemOf(const posix::Statement& row) {
    return {row.text(0),
            static_cast<int>(row.integer(1)),
            {row.text(4), row.text(5), timeOf(row.integer(2)), timeOf(row.integer(3)), row.text(6),
             row.text(7)}};
}

// Binds the summary from parameter `first` on: send and receive time, class,
// subject, billing information, mileage.
posix::Statement& bindSummary(posix::Statement& statement, int first, const ItemSummary& summary) {
    return statement.bind(first, ticks(summary.sentOn))
        .bind(first + 1, ticks(summary.receivedTime))
        .bind(first + 2, summary.messageClass)
        .bind(first + 3, summary.subject)
        .bind(first + 4, summary.billingInformation)
        .bind(first + 5, summary.mileage);
}

// Adds the summary columns to a store made before them, filled from the
// stored messages once. A message that cannot be read keeps an empty summary;
// reading the item itself fails as it did.
void addSummaryColumns(posix::SqliteDb& db) {
    posix::Statement has(db, "SELECT 1 FROM pragma_table_info('items') WHERE name = 'subject'");
    if (has.step()) {
        has.run();
        return;
    }
    db.exec(AddSummaryColumns);
    std::vector<std::pair<std::int64_t, ItemSummary>> summaries;
    posix::Statement all(db, "SELECT position, data FROM items");
    while (all.step()) {
        // An item whose file cannot be read is left without a summary.
        ignoringFailure([&] {
            summaries.emplace_back(all.integer(0),
                                   ItemSummary::of(msgfile::readMessage(all.blob(1))));
        });
    }
    posix::Statement fill(db, "UPDATE items SET sent_on = ?, received = ?, message_class = ?, "
                              "subject = ?, billing_information = ?, mileage = ? "
                              "WHERE position = ?");
    for (const auto& [position, summary] : summaries) {
        bindSummary(fill, 1, summary).bind(7, position).run();
    }
}

void addFileColumn(posix::SqliteDb& db) {
    posix::Statement has(db, "SELECT 1 FROM pragma_table_info('items') WHERE name = 'file'");
    if (has.step()) {
        has.run();
        return;
    }
    db.exec(AddFileColumn);
}

// The summary of a message file that is stored as it is: the file is checked
// whole, but the bytes of its attachments are not needed.
ItemSummary summaryOf(std::string_view file) {
    return ItemSummary::of(msgfile::readMessage(file, msgfile::AttachedData::Checked));
}

// A store whose file is not a database, or whose pages do not hold together,
// cannot be trusted with mail: it says it is damaged, whatever was asked.
template <typename Action> auto guarded(Action action) {
    try {
        return action();
    } catch (const posix::SqliteError& error) {
        const int code = error.code() & 0xFF;
        const bool damaged = code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
        throw Failure(failure::AutomationError,
                      std::string(damaged ? DamagedStore : "The mail store failed: ") +
                          error.what(),
                      "MailStore");
    }
}

// The hold on delivery: an exclusive lock on a file beside the store, which
// the system lets go when the process ends, however it ends.
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
    : lockPath_(databasePath + ".outbox-lock"), filesFolder_(databasePath + ".files"), db_([&] {
          posix::createPrivateFolder(std::filesystem::path(databasePath).parent_path().string());
          return guarded([&] { return posix::SqliteDb(databasePath); });
      }()) {
    guarded([&] {
        // Every item that is stored reaches the disk when it is committed, in
        // the log; a process that ends leaves the log to the next one instead
        // of copying it into the database, which would sync the disk twice
        // more.
        db_.exec("PRAGMA synchronous=FULL");
        db_.checkpointEvery(CheckpointPages);
        if (db_.schemaVersion() >= SchemaVersion) {
            return 0;
        }
        posix::WriteTransaction transaction(db_);
        db_.exec(Schema);
        addSummaryColumns(db_);
        addFileColumn(db_);
        db_.exec(Indexes);
        posix::Statement insert(db_, "INSERT OR IGNORE INTO folders(id, name, path, "
                                     "default_item_type) VALUES (?, ?, ?, ?)");
        for (const FolderInfo& folder : defaultFolders()) {
            insert.bind(1, std::int64_t{folder.id})
                .bind(2, folder.name)
                .bind(3, folder.path)
                .bind(4, std::int64_t{folder.defaultItemType})
                .run();
        }
        db_.setSchemaVersion(SchemaVersion);
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

void SqliteMailStorage::insert(std::string_view entryId, int folder, const ItemSummary& summary,
                               std::string_view file, const std::string& ownFile) {
    ++ownChanges_;
    posix::Statement add(db_, "INSERT INTO items(sent_on, received, message_class, subject, "
                              "billing_information, mileage, entry_id, folder, data, file) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    bindSummary(add, 1, summary)
        .bind(7, entryId)
        .bind(8, std::int64_t{folder})
        .bindBlob(9, ownFile.empty() ? file : InOwnFile)
        .bind(10, ownFile)
        .run();
}

std::string SqliteMailStorage::newOwnFile(std::string_view entryId) {
    std::error_code ignored;
    std::filesystem::create_directories(filesFolder_, ignored);
    return std::string(entryId) + "-" + newEntryId().substr(32) + ".msg";
}

// A large message file is written whole to a file of its own before any row
// names it, under a name no earlier version had: a reader that found the
// former name still reads the former version.
std::string SqliteMailStorage::writeOwnFile(std::string_view entryId, std::string_view file) {
    if (file.size() < RowLimit) {
        return {};
    }
    std::string name = newOwnFile(entryId);
    writeFileInPlace(filesFolder_ + "/" + name, file);
    return name;
}

void SqliteMailStorage::removeOwnFile(const std::string& name) {
    if (!name.empty()) {
        ::unlink((filesFolder_ + "/" + name).c_str());
    }
}

std::string SqliteMailStorage::storeNew(std::string entryId, int folder, const ItemSummary& summary,
                                        std::string_view file, const std::string& ownFile) {
    try {
        guarded([&] {
            insert(entryId, folder, summary, file, ownFile);
            return 0;
        });
    } catch (...) {
        removeOwnFile(ownFile);
        throw;
    }
    return entryId;
}

std::string SqliteMailStorage::store(int folder, const ItemSummary& summary,
                                     std::string_view file) {
    std::string entryId = newEntryId();
    const std::string ownFile = writeOwnFile(entryId, file);
    return storeNew(std::move(entryId), folder, summary, file, ownFile);
}

std::string SqliteMailStorage::add(int folder, const msgfile::Message& message) {
    return store(folder, ItemSummary::of(message), msgfile::writeMessage(message));
}

// A large file is copied by the system to the item's file of its own, which
// the disk writes while the copy is read for the summary.
std::string SqliteMailStorage::addFile(int folder, const std::string& hostPath) {
    const SourceFile source(hostPath);
    if (source.size() < RowLimit) {
        const std::string file = source.contents();
        return store(folder, summaryOf(file), file);
    }
    std::string entryId = newEntryId();
    const std::string ownFile = newOwnFile(entryId);
    FileInPlace copy(filesFolder_ + "/" + ownFile);
    copy.copyFrom(source);
    copy.startWriteBack();
    const ItemSummary summary = summaryOf(copy.contents());
    copy.place(Sync::ToDisk);
    return storeNew(std::move(entryId), folder, summary, InOwnFile, ownFile);
}

bool SqliteMailStorage::replace(std::string_view entryId, int folder,
                                const msgfile::Message& message) {
    const std::string file = msgfile::writeMessage(message);
    const ItemSummary summary = ItemSummary::of(message);
    const std::string ownFile = writeOwnFile(entryId, file);
    std::string formerFile;
    bool replaced = false;
    try {
        replaced = guarded([&] {
            posix::WriteTransaction transaction(db_);
            posix::Statement current(db_, "SELECT folder, file FROM items WHERE entry_id = ?");
            if (!current.bind(1, entryId).step()) {
                return false;
            }
            formerFile = current.text(1);
            if (current.integer(0) == folder) {
                ++ownChanges_;
                posix::Statement update(
                    db_, "UPDATE items SET sent_on = ?, received = ?, message_class = ?, "
                         "subject = ?, billing_information = ?, mileage = ?, data = ?, file = ? "
                         "WHERE entry_id = ?");
                bindSummary(update, 1, summary)
                    .bindBlob(7, ownFile.empty() ? std::string_view(file) : InOwnFile)
                    .bind(8, ownFile)
                    .bind(9, entryId)
                    .run();
            } else {
                posix::Statement(db_, "DELETE FROM items WHERE entry_id = ?")
                    .bind(1, entryId)
                    .run();
                insert(entryId, folder, summary, file, ownFile);
            }
            transaction.commit();
            return true;
        });
    } catch (...) {
        removeOwnFile(ownFile);
        throw;
    }
    removeOwnFile(replaced ? formerFile : ownFile);
    return replaced;
}

std::optional<StoredItem> SqliteMailStorage::find(std::string_view entryId) {
    return guarded([&]() -> std::optional<StoredItem> {
        posix::Statement query(
            db_, (std::string("SELECT ") + StoredItemColumns + " FROM items WHERE entry_id = ?")
                     .c_str());
        if (!query.bind(1, entryId).step()) {
            return std::nullopt;
        }
        return storedItemOf(query);
    });
}

// An item in a file of its own is read from there; when another process has
// just replaced it and taken the former file away, the row is read again.
std::optional<SqliteMailStorage::ItemFile> SqliteMailStorage::itemFile(std::string_view entryId) {
    for (int attempt = 1;; ++attempt) {
        using Row = std::pair<std::string, std::string>; // the data, the item's own file
        auto row = guarded([&]() -> std::optional<Row> {
            posix::Statement query(db_, "SELECT data, file FROM items WHERE entry_id = ?");
            if (!query.bind(1, entryId).step()) {
                return std::nullopt;
            }
            return Row{query.blob(0), query.text(1)};
        });
        if (!row) {
            return std::nullopt;
        }
        if (row->second.empty()) {
            return ItemFile{std::move(row->first), nullptr};
        }
        try {
            return ItemFile{{}, std::make_unique<SourceFile>(filesFolder_ + "/" + row->second)};
        } catch (const Failure& failure) {
            if (attempt == 2) {
                throw Failure(failure::AutomationError,
                              std::string(DamagedStore) + "the file of an item cannot be read (" +
                                  failure.description() + ")",
                              "MailStore");
            }
        }
    }
}

std::optional<msgfile::Message> SqliteMailStorage::message(std::string_view entryId) {
    const auto file = itemFile(entryId);
    if (!file) {
        return std::nullopt;
    }
    return msgfile::readMessage(file->own ? file->own->contents() : file->bytes);
}

bool SqliteMailStorage::exportFile(std::string_view entryId, const std::string& hostPath) {
    const auto file = itemFile(entryId);
    if (!file) {
        return false;
    }
    FileInPlace copy(hostPath);
    if (file->own) {
        copy.copyFrom(*file->own);
    } else {
        copy.write(file->bytes);
    }
    copy.place(Sync::Later);
    return true;
}

bool SqliteMailStorage::remove(std::string_view entryId) {
    std::string ownFile;
    const bool removed = guarded([&] {
        posix::Statement erase(db_, "DELETE FROM items WHERE entry_id = ? RETURNING file");
        const bool found = erase.bind(1, entryId).step();
        ownFile = found ? erase.text(0) : "";
        erase.run();
        ownChanges_ += found;
        return found;
    });
    removeOwnFile(ownFile);
    return removed;
}

std::vector<StoredItem> SqliteMailStorage::items(int folder,
                                                 const std::optional<TimeFilter>& filter) {
    return guarded([&] {
        std::string sql =
            std::string("SELECT ") + StoredItemColumns + " FROM items WHERE folder = ?";
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
        std::vector<StoredItem> found;
        while (query.step()) {
            found.push_back(storedItemOf(query));
        }
        return found;
    });
}

std::uint64_t SqliteMailStorage::changeCount() {
    // Asking SQLite takes a read transaction, file locks and all: a walk over
    // a folder that asks at every step would spend its time there. Another
    // process's changes are looked for at most every few milliseconds.
    const auto now = std::chrono::steady_clock::now();
    if (!othersReadAt_ || now - *othersReadAt_ >= OthersLookInterval) {
        othersChanges_ = guarded([&] {
            dataVersion_.step();
            const auto version = static_cast<std::uint64_t>(dataVersion_.integer(0));
            dataVersion_.run();
            return version;
        });
        othersReadAt_ = now;
    }
    return (othersChanges_ << 32) + ownChanges_;
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

bool SqliteMailStorage::takeOutboxTurn(msgfile::Time now,
                                       const std::function<bool(msgfile::Time, int)>& due) {
    return guarded([&] {
        posix::WriteTransaction transaction(db_);
        msgfile::Time last = msgfile::NoDate;
        std::int64_t refused = 0;
        {
            posix::Statement query(
                db_, "SELECT last_try, refused_in_a_row FROM outbox_turn WHERE id = 1");
            if (query.step()) {
                last = timeOf(query.integer(0));
                refused = query.integer(1);
            }
        }
        if (!due(last, static_cast<int>(refused))) {
            return false;
        }
        posix::Statement(db_, "INSERT INTO outbox_turn(id, last_try, refused_in_a_row) "
                              "VALUES (1, ?, ?) ON CONFLICT(id) DO UPDATE SET last_try = "
                              "excluded.last_try")
            .bind(1, ticks(now))
            .bind(2, refused)
            .run();
        transaction.commit();
        return true;
    });
}

void SqliteMailStorage::noteOutboxTry(bool refused) {
    guarded([&] {
        posix::Statement(db_, refused ? "UPDATE outbox_turn SET refused_in_a_row = "
                                        "refused_in_a_row + 1 WHERE id = 1"
                                      : "UPDATE outbox_turn SET refused_in_a_row = 0 WHERE id = 1")
            .run();
        return 0;
    });
}

std::unique_ptr<ProcessLock> SqliteMailStorage::lockDelivery(bool wait) {
    return posix::lockFile(lockPath_, wait, "MailStore");
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
