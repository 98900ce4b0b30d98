#include "platform/fake/memory_mail_storage.h"

#include "platform/failure.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/msgfile/message_file.h"

#include <algorithm>

namespace lexi::mailstore {

MemoryMailStorage::MemoryMailStorage(Clock& clock) : clock_(clock) {}

std::optional<FolderInfo> MemoryMailStorage::folder(int id) {
    for (const FolderInfo& folder : folders_) {
        if (folder.id == id) {
            return folder;
        }
    }
    return std::nullopt;
}

LocalDateTime MemoryMailStorage::arrivalTime(int folder) {
    const auto delay = delays_.find(folder);
    return addSeconds(clock_.now(), delay == delays_.end() ? 0 : delay->second);
}

std::vector<MemoryMailStorage::Entry>::iterator
MemoryMailStorage::locate(std::string_view entryId) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Entry& entry) { return entry.item.entryId == entryId; });
}

std::uint64_t MemoryMailStorage::changeCount() {
    // An item that comes into sight is a change as well.
    const LocalDateTime now = clock_.now();
    const auto visible = std::count_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.visibleFrom <= now;
    });
    return (changes_ << 32) + static_cast<std::uint64_t>(visible);
}

void MemoryMailStorage::change() {
    if (!writeFailure.empty()) {
        throw Failure(failure::AutomationError, writeFailure, "MailStore");
    }
    ++changes_;
}

std::string MemoryMailStorage::add(int folder, const msgfile::Message& message) {
    change();
    std::string entryId = newEntryId();
    entries_.push_back({{entryId, folder, ItemSummary::of(message)}, message, arrivalTime(folder)});
    return entryId;
}

std::string MemoryMailStorage::addFile(int folder, const std::string& hostPath) {
    return add(folder, msgfile::readMessageFile(hostPath));
}

bool MemoryMailStorage::replace(std::string_view entryId, int folder,
                                const msgfile::Message& message) {
    const auto entry = locate(entryId);
    if (entry == entries_.end()) {
        return false;
    }
    change();
    if (entry->item.folder == folder) {
        entry->item.summary = ItemSummary::of(message);
        entry->message = message;
        return true;
    }
    entries_.erase(entry);
    entries_.push_back(
        {{std::string(entryId), folder, ItemSummary::of(message)}, message, arrivalTime(folder)});
    return true;
}

std::optional<StoredItem> MemoryMailStorage::find(std::string_view entryId) {
    const auto entry = locate(entryId);
    if (entry == entries_.end()) {
        return std::nullopt;
    }
    return entry->item;
}

std::optional<msgfile::Message> MemoryMailStorage::message(std::string_view entryId) {
    const auto entry = locate(entryId);
    if (entry == entries_.end()) {
        return std::nullopt;
    }
    return entry->message;
}

bool MemoryMailStorage::exportFile(std::string_view entryId, const std::string& hostPath) {
    const auto stored = message(entryId);
    if (stored) {
        msgfile::writeMessageFile(*stored, hostPath);
    }
    return stored.has_value();
}

bool MemoryMailStorage::remove(std::string_view entryId) {
    const auto entry = locate(entryId);
    if (entry == entries_.end()) {
        return false;
    }
    change();
    entries_.erase(entry);
    return true;
}

std::vector<StoredItem> MemoryMailStorage::items(int folder,
                                                 const std::optional<TimeFilter>& filter) {
    const LocalDateTime now = clock_.now();
    std::vector<StoredItem> found;
    for (const Entry& entry : entries_) {
        if (entry.item.folder == folder && entry.visibleFrom <= now &&
            (!filter || filter->accepts(entry.item.summary))) {
            found.push_back(entry.item);
        }
    }
    return found;
}

bool MemoryMailStorage::takeOutboxTurn(msgfile::Time now,
                                       const std::function<bool(msgfile::Time, int)>& due) {
    if (!due(lastOutboxTurn_, refusedInARow_)) {
        return false;
    }
    lastOutboxTurn_ = now;
    return true;
}

} // namespace lexi::mailstore
