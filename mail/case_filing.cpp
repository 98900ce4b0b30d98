#include "mail/case_filing.h"

#include "mail/md_repository.h"
#include "platform/failure.h"
#include "program/document_id.h"

namespace lexi {

namespace {

// Why the mail could not be saved at the path, in the user's words.
std::string whyNotSaved(FileSystem& files, const std::string& savePath, const Failure& failure) {
    const std::size_t slash = savePath.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? "" : savePath.substr(0, slash);
    if (!folder.empty() && !files.isFolder(folder)) {
        return "Mappen " + folder + " findes ikke.";
    }
    if (files.isFolder(savePath)) {
        return "Der ligger en mappe med det navn.";
    }
    switch (failure.number()) {
    case failure::PermissionDenied:
        return "Der er ikke adgang til at skrive filen.";
    case failure::DiskFull:
        return "Disken er fuld.";
    default:
        return "Filen kunne ikke skrives (fejl " + std::to_string(failure.number()) + ").";
    }
}

} // namespace

bool saveInCase(MailContext& context, OutlookApplication& outlook, OutlookItem& mail,
                const std::string& savePath, SaveFailure report) {
    try {
        mail.saveAs(savePath);
        FileSystem& files = context.platform.files;
        if (!files.exists(savePath) || files.isFolder(savePath)) {
            throw Failure(failure::FileNotFound, "saveInCase");
        }
        // Reading it back as Outlook reads a message file shows it whole.
        outlook.createItemFromTemplate(savePath)->close(outlook::Discard);
        return true;
    } catch (const Failure& failure) {
        context.log.WriteLog("Mailen kunne ikke gemmes i sagen som " + savePath + ": " +
                             failure.description());
        if (report == SaveFailure::Tell) {
            context.platform.ui.messageBox(
                "Mailen kunne ikke gemmes i sagen som " + savePath + "\r\n\r\n" +
                    whyNotSaved(context.platform.files, savePath, failure),
                msgbox::Critical, "Lexitray");
        }
        return false;
    }
}

void fileInCase(MailContext& context, OutlookApplication& outlook, OutlookItem& mail,
                JournalEntry entry, const std::string& journalName, SaveFailure failure) {
    RunLog& log = context.log;
    SendJournal journal(context.platform.registry);
    ignoringFailure([&] { log.WriteLog("Mail identificeret: '" + mail.subject() + "'"); });
    ignoringFailure([&] {
        entry.entryId = mail.entryId();
        if (!journalName.empty() && !journal.update(journalName, entry)) {
            log.WriteLog("Afsendelsen kunne ikke noteres i registreringsdatabasen");
        }
    });
    ignoringFailure([&] {
        mail.setBillingInformation("");
        mail.save();
    });
    context.platform.ui.doEvents();
    log.WriteLog("Gemmer mail i sagsmappe " + entry.savePath);
    const bool saved = saveInCase(context, outlook, mail, entry.savePath, failure);
    ignoringFailure([&] { mail.close(outlook::Discard); });
    if (saved && !IsEmptyId(entry.documentId)) {
        log.WriteLog("Callback til NAV docID " + entry.documentId);
        mdRepository(context).SkrivCallback(entry.documentId, true);
    }
    if (!journalName.empty()) {
        journal.remove(journalName);
    }
    context.platform.ui.doEvents();
}

} // namespace lexi
