#include "platform/posix/mailstore/item_window.h"

#include "platform/danish_format.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/text.h"

namespace lexi::mailstore {
namespace {

std::string shownDate(msgfile::Time time) {
    return time == msgfile::NoDate ? "Ingen" : danish::shortDate(toLocal(time));
}

std::string statusName(msgfile::TaskStatus status) {
    switch (status) {
    case msgfile::TaskStatus::NotStarted:
        return "Ikke startet";
    case msgfile::TaskStatus::InProgress:
        return "I gang";
    case msgfile::TaskStatus::Complete:
        return "Fuldført";
    case msgfile::TaskStatus::Waiting:
        return "Venter på en anden";
    case msgfile::TaskStatus::Deferred:
        return "Udsat";
    }
    return {};
}

std::string titled(const std::string& name, const std::string& kind) {
    return (name.empty() ? std::string("Unavngivet") : name) + " - " + kind;
}

ItemWindowContent taskWindow(const msgfile::Message& task, bool request) {
    ItemWindowContent content{request ? "taskrequest" : "task",
                              titled(task.subject, request ? "Opgaveanmodning" : "Opgave"),
                              {}};
    if (request) {
        content.fields.push_back({"to", "Til", task.displayTo});
    }
    content.fields.push_back({"subject", "Emne", task.subject});
    content.fields.push_back({"due", "Forfaldsdato", shownDate(task.taskDueDate)});
    content.fields.push_back({"status", "Status", statusName(task.taskStatus)});
    content.fields.push_back({"completed", "Dato fuldført", shownDate(task.taskDateCompleted)});
    content.fields.push_back({"body", "Noter", task.body});
    return content;
}

ItemWindowContent contactWindow(const msgfile::Message& contact) {
    return {"contact",
            titled(contact.contactFullName, "Kontakt"),
            {{"fullname", "Fulde navn", contact.contactFullName},
             {"company", "Firma", contact.companyName},
             {"address", "Firmaadresse", contact.businessAddress},
             {"email", "Mail", contact.email1Address},
             {"phone", "Telefon (arbejde)", contact.businessTelephoneNumber},
             {"fax", "Fax (arbejde)", contact.businessFaxNumber},
             {"profession", "Erhverv", contact.profession}}};
}

} // namespace

std::optional<ItemWindowContent> itemWindowContent(const msgfile::Message& message) {
    const std::string messageClass = text::toLower(message.messageClass);
    if (messageClass == "ipm.task" || messageClass == "ipm.taskrequest") {
        return taskWindow(message, messageClass == "ipm.taskrequest");
    }
    if (messageClass == "ipm.contact") {
        return contactWindow(message);
    }
    return std::nullopt;
}

} // namespace lexi::mailstore
