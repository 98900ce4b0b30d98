#include "platform/posix/mailstore/mail_storage.h"

#include "platform/outlook.h"

namespace lexi::mailstore {

ItemSummary ItemSummary::of(const msgfile::Message& message) {
    return {message.messageClass,       message.subject, message.sentOn, message.receivedTime,
            message.billingInformation, message.mileage};
}

bool TimeFilter::accepts(const ItemSummary& item) const {
    const msgfile::Time value = field == Field::SentOn ? item.sentOn : item.receivedTime;
    // An item without the time (a mail never sent) is not selected.
    if (value == msgfile::NoDate) {
        return false;
    }
    switch (comparison) {
    case Comparison::Greater:
        return value > bound;
    case Comparison::GreaterOrEqual:
        return value >= bound;
    case Comparison::Less:
        return value < bound;
    case Comparison::LessOrEqual:
        return value <= bound;
    }
    return false;
}

std::vector<FolderInfo> defaultFolders() {
    const std::string top = "\\\\Personlige mapper\\";
    return {
        {outlook::FolderDeletedItems, "Slettet post", top + "Slettet post", outlook::MailItem},
        {outlook::FolderOutbox, "Udbakke", top + "Udbakke", outlook::MailItem},
        {outlook::FolderSentItems, "Sendt post", top + "Sendt post", outlook::MailItem},
        {outlook::FolderInbox, "Indbakke", top + "Indbakke", outlook::MailItem},
        {outlook::FolderCalendar, "Kalender", top + "Kalender", 1},
        {outlook::FolderContacts, "Kontaktpersoner", top + "Kontaktpersoner", outlook::ContactItem},
        {outlook::FolderTasks, "Opgaver", top + "Opgaver", outlook::TaskItem},
        {outlook::FolderDrafts, "Kladder", top + "Kladder", outlook::MailItem},
    };
}

} // namespace lexi::mailstore
