#include "mail/case_filing.h"

#include "mail/md_repository.h"
#include "platform/failure.h"
#include "program/document_id.h"

namespace lexi {

bool saveInCase(MailContext& context, OutlookApplication& outlook, OutlookItem& mail,
                const std::string& savePath) {
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
        context.platform.ui.messageBox("Mailen kunne ikke gemmes i sagen som " + savePath +
                                           "\r\n\r\n" + failure.description(),
                                       msgbox::Critical, "Lexitray");
        return false;
    }
}

void fileInCase(MailContext& context, OutlookApplication& outlook, OutlookItem& mail,
                JournalEntry entry, const std::string& journalName) {
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
    const bool saved = saveInCase(context, outlook, mail, entry.savePath);
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
