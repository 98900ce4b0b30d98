#pragma once

#include "platform/posix/msgfile/message.h"
#include "platform/processes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexi::mailstore {

struct FolderInfo {
    int id = 0;
    std::string name;
    std::string path;        // "\\Personlige mapper\Indbakke"
    int defaultItemType = 0; // outlook::MailItem, ContactItem, TaskItem...
};

// The user's account: who the store belongs to and how mail leaves it.
struct Account {
    std::string displayName = "Lexitray-bruger";
    std::string address; // the sender's address, "navn@firma.dk"
    std::string version = "12.0.0.4518";
    std::string signature; // added to a new mail when it is first shown
    std::string smtpUrl;   // "smtp://mail.firma.dk:587"; empty: mail is not delivered
    std::string smtpUser;
    std::string smtpPassword;

    bool operator==(const Account&) const = default;
};

// What the lists and searches read of an item. The store keeps it beside the
// whole message, so that a walk over a folder need not read the messages.
struct ItemSummary {
    std::string messageClass = "IPM.Note";
    std::string subject;
    msgfile::Time sentOn = msgfile::NoDate;
    msgfile::Time receivedTime = msgfile::NoDate;
    std::string billingInformation;
    std::string mileage;

    static ItemSummary of(const msgfile::Message& message);
    bool operator==(const ItemSummary&) const = default;
};

struct StoredItem {
    std::string entryId;
    int folder = 0;
    ItemSummary summary;
};

// Which stored time a filter compares, how, and with what.
struct TimeFilter {
    enum class Field { SentOn, ReceivedTime };
    enum class Comparison { Greater, GreaterOrEqual, Less, LessOrEqual };
    Field field = Field::SentOn;
    Comparison comparison = Comparison::Greater;
    msgfile::Time bound{};

    // False for an item that lacks the time.
    bool accepts(const ItemSummary& item) const;
};

// Where the items of the mail store are kept: folders of items, each item a
// message with a text entry ID that stays the same for its life. Items keep
// the order in which they came into their folder.
class MailStorage {
public:
    virtual ~MailStorage() = default;

    virtual std::vector<FolderInfo> folders() = 0;
    virtual std::optional<FolderInfo> folder(int id) = 0;

    // Stores a new item; returns its entry ID.
    virtual std::string add(int folder, const msgfile::Message& message) = 0;
    // Stores the message file at the host path as it is, so that exporting
    // the item gives back the very bytes; returns its entry ID. Fails as
    // readMessageFile does when the file cannot be read or is not a message
    // file.
    virtual std::string addFile(int folder, const std::string& hostPath) = 0;
    // Replaces a stored item, moving it to `folder` (to the end of it when it
    // changes folder). False when there is no such item.
    virtual bool replace(std::string_view entryId, int folder, const msgfile::Message& message) = 0;
    virtual std::optional<StoredItem> find(std::string_view entryId) = 0;
    // The whole message of a stored item, read only when it is asked for.
    virtual std::optional<msgfile::Message> message(std::string_view entryId) = 0;
    // Writes the stored item as a message file to the host path, whole or not
    // at all; false when there is no such item. The copy is not forced to the
    // disk before it takes its name, as a copy by `cp` is not: the store keeps
    // the item.
    virtual bool exportFile(std::string_view entryId, const std::string& hostPath) = 0;
    virtual bool remove(std::string_view entryId) = 0;

    // A folder's items in order, all or those the filter accepts.
    virtual std::vector<StoredItem> items(int folder, const std::optional<TimeFilter>& filter) = 0;

    // A number that changes whenever the items change, here or (within a few
    // milliseconds) in another process, so that a reader knows when a list it
    // holds is out of date.
    virtual std::uint64_t changeCount() = 0;

    virtual Account account() = 0;
    virtual void setAccount(const Account& account) = 0;

    // The turns to try the Outbox, shared by every process that opens the
    // store. Takes the turn at `now` when `due` says the last one (its time,
    // msgfile::NoDate for none, and how many tries in a row the mail server
    // refused) lies far enough back; false when it does not, or another
    // process took it first.
    virtual bool
    takeOutboxTurn(msgfile::Time now,
                   const std::function<bool(msgfile::Time last, int refusedInARow)>& due) = 0;
    // How the try of the last turn ended: whether the server refused a mail.
    virtual void noteOutboxTry(bool refused) = 0;

    // Held, by every process that shares the store, while it delivers mail
    // from the Outbox, so that no mail leaves twice: waits for the hold, or
    // (without `wait`) answers null when another has it.
    virtual std::unique_ptr<ProcessLock> lockDelivery(bool wait) = 0;
};

// The default folders every store has.
std::vector<FolderInfo> defaultFolders();

} // namespace lexi::mailstore
