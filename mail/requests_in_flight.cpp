#include "mail/requests_in_flight.h"

#include "mail/case_filing.h"
#include "mail/item_search.h"
#include "platform/failure.h"

namespace lexi {
namespace {

// The item in the folder whose billing information is the marker.
ItemPtr markedItem(OutlookNamespace& session, int folder, const std::string& marker) {
    return lastMatchingItem(session, folder, [&marker](OutlookItem& item) {
        return item.billingInformation() == marker;
    });
}

// The sent mail of the entry, found by its entry ID once noted, else by its
// marker in Sent Items.
ItemPtr sentMail(OutlookNamespace& session, const JournalEntry& entry) {
    if (!entry.entryId.empty()) {
        try {
            return session.getItemFromId(entry.entryId);
        } catch (const Failure&) {
            return nullptr;
        }
    }
    return entry.marker.empty() ? nullptr
                                : markedItem(session, outlook::FolderSentItems, entry.marker);
}

// The case folder a request without a document ID creates when filing; a
// request killed before that has not created it yet.
void createCaseFolder(FileSystem& files, const JournalEntry& entry) {
    const std::size_t slash = entry.savePath.rfind('\\');
    if (!entry.documentId.empty() || slash == std::string::npos) {
        return;
    }
    const std::string folder = entry.savePath.substr(0, slash + 1);
    try {
        if (!files.isFolder(folder)) {
            files.createFolder(folder);
        }
    } catch (const Failure&) {
        // Saving reports the missing folder.
    }
}

// Each line says what became of the entry; a mail that still waits in the
// Outbox is told once.
void finish(MailContext& context, OutlookApplication& outlook, const SendJournal::Record& record) {
    RunLog& log = context.log;
    JournalEntry entry = record.entry;
    const auto session = outlook.session();
    if (const ItemPtr mail = sentMail(*session, entry)) {
        log.WriteLog("Afsendt mail gemmes nu i sagen som " + entry.savePath);
        createCaseFolder(context.platform.files, entry);
        fileInCase(context, outlook, *mail, entry, record.name);
        return;
    }
    if (!entry.marker.empty() && markedItem(*session, outlook::FolderOutbox, entry.marker)) {
        if (!entry.waiting) {
            log.WriteLog("Mail til " + entry.savePath +
                         " ligger i Udbakke og gemmes i sagen, når den er sendt");
            entry.waiting = true;
            SendJournal(context.platform.registry).update(record.name, entry);
        }
        return;
    }
    log.WriteLog("Mail til " + entry.savePath + " blev aldrig sendt og gemmes ikke i sagen");
    SendJournal(context.platform.registry).remove(record.name);
}

} // namespace

void finishRequestsInFlight(MailContext& context, std::string_view imageName, InFlight which) {
    std::vector<SendJournal::Record> left =
        SendJournal(context.platform.registry).leftBehind(context.platform.processes, imageName);
    std::erase_if(left, [&](const SendJournal::Record& record) {
        return record.entry.waiting && which == InFlight::Killed;
    });
    if (left.empty()) {
        return;
    }
    try {
        std::shared_ptr<OutlookApplication> outlook = context.platform.outlook.running();
        if (!outlook) {
            outlook = context.platform.outlook.start();
        }
        for (const SendJournal::Record& record : left) {
            finish(context, *outlook, record);
        }
    } catch (const Failure& failure) {
        context.log.WriteLog("Fejl i finishRequestsInFlight: " + failure.description());
    }
}

void sendWaitingMail(MailContext& context) {
    ignoringFailure([&] {
        if (const auto outlook = context.platform.outlook.running()) {
            outlook->session()->sendAndReceive();
        }
    });
}

} // namespace lexi
