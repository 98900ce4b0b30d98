#pragma once

#include "platform/posix/mailstore/mail_storage.h"
#include "platform/posix/sqlite_db.h"

namespace lexi::mailstore {

// The mail store in an SQLite database file that several processes share.
// Each item is kept whole as an Outlook message file, beside the few columns
// that folders and filters look at.
class SqliteMailStorage final : public MailStorage {
public:
    // Opens (and creates) the store; throws lexi::Failure when it cannot.
    explicit SqliteMailStorage(const std::string& databasePath);

    std::vector<FolderInfo> folders() override;
    std::optional<FolderInfo> folder(int id) override;
    std::string add(int folder, const msgfile::Message& message) override;
    bool replace(std::string_view entryId, int folder, const msgfile::Message& message) override;
    std::optional<StoredItem> find(std::string_view entryId) override;
    bool remove(std::string_view entryId) override;
    std::vector<std::string> entryIds(int folder, const std::optional<TimeFilter>& filter) override;
    std::uint64_t changeCount() override;
    Account account() override;
    void setAccount(const Account& account) override;

private:
    void insert(std::string_view entryId, int folder, const msgfile::Message& message);

    posix::SqliteDb db_;
    // This connection's own changes; SQLite's data version counts the others'.
    std::uint64_t ownChanges_ = 0;
};

// A new entry ID: 48 hexadecimal digits, unique in practice.
std::string newEntryId();

} // namespace lexi::mailstore
