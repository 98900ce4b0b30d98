#pragma once

#include "platform/posix/mailstore/file_in_place.h"
#include "platform/posix/mailstore/mail_storage.h"
#include "platform/posix/sqlite_db.h"

#include <chrono>

namespace lexi::mailstore {

// The mail store in an SQLite database file that several processes share.
// Each item is kept whole as an Outlook message file, beside the columns of
// its summary that lists and filters read: in its row, or when large in a
// file of its own in the folder beside the database (its name + ".files").
class SqliteMailStorage final : public MailStorage {
public:
    // Opens (and creates) the store; throws lexi::Failure when it cannot, with
    // a description that begins with DamagedStore when the file is damaged.
    explicit SqliteMailStorage(const std::string& databasePath);

    std::vector<FolderInfo> folders() override;
    std::optional<FolderInfo> folder(int id) override;
    std::string add(int folder, const msgfile::Message& message) override;
    std::string addFile(int folder, const std::string& hostPath) override;
    bool replace(std::string_view entryId, int folder, const msgfile::Message& message) override;
    std::optional<StoredItem> find(std::string_view entryId) override;
    std::optional<msgfile::Message> message(std::string_view entryId) override;
    bool exportFile(std::string_view entryId, const std::string& hostPath) override;
    bool remove(std::string_view entryId) override;
    std::vector<StoredItem> items(int folder, const std::optional<TimeFilter>& filter) override;
    std::uint64_t changeCount() override;
    Account account() override;
    void setAccount(const Account& account) override;
    bool takeOutboxTurn(msgfile::Time now,
                        const std::function<bool(msgfile::Time, int)>& due) override;
    void noteOutboxTry(bool refused) override;
    std::unique_ptr<ProcessLock> lockDelivery(bool wait) override;

private:
    // An item's message file: its bytes from its row, or its file of its own,
    // open.
    struct ItemFile {
        std::string bytes;
        std::unique_ptr<SourceFile> own;
    };
    std::optional<ItemFile> itemFile(std::string_view entryId);

    std::string store(int folder, const ItemSummary& summary, std::string_view file);
    // Names a new item in a row; its file of its own goes when that fails.
    std::string storeNew(std::string entryId, int folder, const ItemSummary& summary,
                         std::string_view file, const std::string& ownFile);
    void insert(std::string_view entryId, int folder, const ItemSummary& summary,
                std::string_view file, const std::string& ownFile);
    // A new name for the file of its own of an item, in a folder that exists.
    std::string newOwnFile(std::string_view entryId);
    // The name of the file of its own a large item is written to; empty for
    // an item small enough for its row.
    std::string writeOwnFile(std::string_view entryId, std::string_view file);
    void removeOwnFile(const std::string& name);

    std::string lockPath_;
    // Where items too large for a row are kept, a file each.
    std::string filesFolder_;
    posix::SqliteDb db_;
    // Read before every look at a list: prepared once.
    posix::Statement dataVersion_{db_, "PRAGMA data_version"};
    static constexpr std::chrono::milliseconds OthersLookInterval{10};

    // This connection's own changes; SQLite's data version counts the others',
    // read when it was last read.
    std::uint64_t ownChanges_ = 0;
    std::uint64_t othersChanges_ = 0;
    std::optional<std::chrono::steady_clock::time_point> othersReadAt_;
};

// How the description of a failure of a damaged store begins.
inline constexpr const char* DamagedStore = "The mail store is damaged: ";

// A new entry ID: 48 hexadecimal digits, unique in practice.
std::string newEntryId();

} // namespace lexi::mailstore
