#pragma once

#include "platform/clock.h"
#include "platform/posix/mailstore/mail_storage.h"

#include <map>

namespace lexi::mailstore {

// A mail store in memory, for tests. An item may be kept out of sight until
// the clock reaches a given time, the way a sent mail reaches Sent Items a
// little after it was sent.
class MemoryMailStorage final : public MailStorage {
public:
    explicit MemoryMailStorage(Clock& clock);

    std::vector<FolderInfo> folders() override { return folders_; }
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
    Account account() override { return account_; }
    void setAccount(const Account& account) override { account_ = account; }
    bool takeOutboxTurn(msgfile::Time now,
                        const std::function<bool(msgfile::Time, int)>& due) override;
    void noteOutboxTry(bool refused) override { refusedInARow_ = refused ? refusedInARow_ + 1 : 0; }
    std::unique_ptr<ProcessLock> lockDelivery(bool) override {
        return std::make_unique<ProcessLock>();
    }

    // The next items that enter this folder stay out of sight for so many
    // seconds of the clock.
    void delayArrivals(int folder, int seconds) { delays_[folder] = seconds; }

    // When not empty, every change of the items fails with this reason, as a
    // store on a full disk does.
    std::string writeFailure;

private:
    struct Entry {
        StoredItem item;
        msgfile::Message message;
        LocalDateTime visibleFrom;
    };
    std::vector<Entry>::iterator locate(std::string_view entryId);
    LocalDateTime arrivalTime(int folder);
    void change();

    Clock& clock_;
    std::vector<FolderInfo> folders_ = defaultFolders();
    std::vector<Entry> entries_;
    std::map<int, int> delays_;
    Account account_;
    std::uint64_t changes_ = 0;
    msgfile::Time lastOutboxTurn_ = msgfile::NoDate;
    int refusedInARow_ = 0;
};

} // namespace lexi::mailstore
