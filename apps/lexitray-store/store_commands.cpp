#include "apps/lexitray-store/store_commands.h"

#include "platform/danish_format.h"
#include "platform/failure.h"
#include "platform/posix/mailstore/item_kind.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/msgfile/message_file.h"

namespace lexi::storetool {
namespace {

using mailstore::MailStorage;

// A text on one line of output: line breaks and tabs become spaces.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = ' ';
        }
    }
    return line;
}

std::string timeText(msgfile::Time time) {
    if (time == msgfile::NoDate) {
        return {};
    }
    const LocalDateTime local = mailstore::toLocal(time);
    return danish::shortDate(local) + ' ' + danish::longTime(local);
}

std::string person(std::string_view name, std::string_view address) {
    if (address.empty() || name == address) {
        return std::string(name.empty() ? address : name);
    }
    return std::string(name) + " <" + std::string(address) + ">";
}

std::string recipients(const msgfile::Message& message, msgfile::RecipientType type) {
    std::string list;
    for (const msgfile::Recipient& recipient : message.recipients) {
        if (recipient.type == type) {
            list += (list.empty() ? "" : "; ") + person(recipient.displayName, recipient.address);
        }
    }
    return list;
}

void requireFolder(MailStorage& storage, int folder) {
    if (!storage.folder(folder)) {
        throw Failure(failure::AutomationError, "No folder has the id " + std::to_string(folder),
                      "lexitray-store");
    }
}

[[noreturn]] void noSuchItem(std::string_view entryId) {
    throw Failure(failure::AutomationError, "No item has the entry ID " + std::string(entryId),
                  "lexitray-store");
}

msgfile::Message storedMessage(MailStorage& storage, std::string_view entryId) {
    auto message = storage.message(entryId);
    if (!message) {
        noSuchItem(entryId);
    }
    return std::move(*message);
}

} // namespace

void printFolders(MailStorage& storage, std::ostream& out) {
    for (const mailstore::FolderInfo& folder : storage.folders()) {
        out << folder.id << '\t' << folder.name << '\t' << folder.path << '\t'
            << storage.items(folder.id, std::nullopt).size() << '\n';
    }
}

void printItems(MailStorage& storage, int folder, std::ostream& out) {
    requireFolder(storage, folder);
    int position = 0;
    for (const mailstore::StoredItem& item : storage.items(folder, std::nullopt)) {
        const mailstore::ItemSummary& summary = item.summary;
        out << ++position << '\t' << item.entryId << '\t'
            << mailstore::classOfMessage(summary.messageClass) << '\t' << timeText(summary.sentOn)
            << '\t' << oneLine(summary.subject) << '\n';
    }
}

void printItem(MailStorage& storage, std::string_view entryId, std::ostream& out) {
    const auto item = storage.find(entryId);
    if (!item) {
        noSuchItem(entryId);
    }
    const msgfile::Message message = storedMessage(storage, entryId);
    out << "Entry ID: " << item->entryId << '\n'
        << "Folder: " << item->folder << '\n'
        << "Class: " << mailstore::classOfMessage(message.messageClass) << ' '
        << oneLine(message.messageClass) << '\n'
        << "Subject: " << oneLine(message.subject) << '\n'
        << "From: " << oneLine(person(message.senderName, message.senderAddress)) << '\n'
        << "To: " << oneLine(recipients(message, msgfile::RecipientType::To)) << '\n'
        << "Cc: " << oneLine(recipients(message, msgfile::RecipientType::Cc)) << '\n'
        << "Bcc: " << oneLine(recipients(message, msgfile::RecipientType::Bcc)) << '\n'
        << "Sent: " << timeText(message.sentOn) << '\n'
        << "Received: " << timeText(message.receivedTime) << '\n'
        << "Billing information: " << oneLine(message.billingInformation) << '\n';
    for (const msgfile::Attachment& attachment : message.attachments) {
        const std::string& name = !attachment.longFileName.empty() ? attachment.longFileName
                                  : !attachment.fileName.empty()   ? attachment.fileName
                                                                   : attachment.displayName;
        out << "Attachment: " << oneLine(name) << " (" << attachment.data.size() << " bytes)\n";
    }
    out << "Body:\n" << message.body << '\n';
}

std::string deliverFile(MailStorage& storage, int folder, const std::string& path) {
    requireFolder(storage, folder);
    return storage.addFile(folder, path);
}

void exportItem(MailStorage& storage, std::string_view entryId, const std::string& path) {
    if (!storage.exportFile(entryId, path)) {
        noSuchItem(entryId);
    }
}

void printAccount(const mailstore::Account& account, std::ostream& out) {
    out << "Name: " << oneLine(account.displayName) << '\n'
        << "Address: " << oneLine(account.address) << '\n'
        << "Version: " << oneLine(account.version) << '\n'
        << "SMTP URL: " << oneLine(account.smtpUrl) << '\n'
        << "SMTP user: " << oneLine(account.smtpUser) << '\n'
        << "SMTP password: " << (account.smtpPassword.empty() ? "" : "(set)") << '\n'
        << "Signature:\n"
        << account.signature << '\n';
}

} // namespace lexi::storetool
