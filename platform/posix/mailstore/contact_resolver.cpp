#include "platform/posix/mailstore/contact_resolver.h"

#include "platform/outlook.h"
#include "platform/posix/mailstore/mime_message.h"
#include "platform/text.h"

namespace lexi::mailstore {
namespace {

struct Contact {
    std::string fullName;
    std::string address;
};

std::vector<Contact> contactsWithAddresses(MailStorage& storage) {
    std::vector<Contact> contacts;
    for (const StoredItem& item : storage.items(outlook::FolderContacts, std::nullopt)) {
        const auto contact = storage.message(item.entryId);
        if (contact && !contact->email1Address.empty()) {
            contacts.push_back({contact->contactFullName, contact->email1Address});
        }
    }
    return contacts;
}

} // namespace

std::vector<std::string> resolveRecipients(MailStorage& storage, msgfile::Message& mail) {
    std::vector<std::string> unresolved;
    std::optional<std::vector<Contact>> contacts;
    for (msgfile::Recipient& recipient : mail.recipients) {
        if (!deliveryAddress(recipient).empty()) {
            continue;
        }
        if (!contacts) {
            contacts = contactsWithAddresses(storage);
        }
        const Contact* found = nullptr;
        bool ambiguous = false;
        for (const Contact& contact : *contacts) {
            if (text::equalsIgnoreCase(contact.fullName, recipient.displayName)) {
                ambiguous = ambiguous ||
                            (found && !text::equalsIgnoreCase(found->address, contact.address));
                found = &contact;
            }
        }
        if (!found || ambiguous) {
            unresolved.push_back(recipient.displayName);
            continue;
        }
        if (!found->fullName.empty()) {
            recipient.displayName = found->fullName;
        }
        recipient.address = found->address;
        recipient.addressType = "SMTP";
    }
    return unresolved;
}

} // namespace lexi::mailstore
