#include "platform/posix/mailstore/item_kind.h"

#include "platform/outlook.h"
#include "platform/text.h"

namespace lexi::mailstore {

int classOfMessage(std::string_view messageClass) {
    const std::string name = text::toLower(messageClass);
    const auto is = [&](std::string_view prefix) {
        return name == prefix || name.starts_with(std::string(prefix) + ".");
    };
    if (is("report") || name.starts_with("report.")) {
        return outlook::ClassReport;
    }
    if (is("ipm.schedule.meeting.request")) {
        return outlook::ClassMeetingRequest;
    }
    if (is("ipm.schedule.meeting.canceled")) {
        return outlook::ClassMeetingCancellation;
    }
    if (is("ipm.appointment")) {
        return outlook::ClassAppointment;
    }
    if (is("ipm.task") || is("ipm.taskrequest")) {
        return outlook::ClassTask;
    }
    if (is("ipm.contact")) {
        return outlook::ClassContact;
    }
    return outlook::ClassMail;
}

std::string messageClassOfKind(int kind) {
    switch (kind) {
    case outlook::MailItem:
        return "IPM.Note";
    case outlook::ContactItem:
        return "IPM.Contact";
    case outlook::TaskItem:
        return "IPM.Task";
    default:
        return {};
    }
}

int homeFolderOfClass(int itemClass) {
    switch (itemClass) {
    case outlook::ClassTask:
        return outlook::FolderTasks;
    case outlook::ClassContact:
        return outlook::FolderContacts;
    case outlook::ClassAppointment:
        return outlook::FolderCalendar;
    case outlook::ClassMail:
        return outlook::FolderDrafts;
    default:
        return outlook::FolderInbox;
    }
}

} // namespace lexi::mailstore
