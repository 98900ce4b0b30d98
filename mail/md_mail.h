#pragma once

#include "docprep/merge_document.h"
#include "mail/mail_context.h"
#include "mail/md_repository.h"
#include "mail/request_files.h"
#include "mail/send_journal.h"
#include "platform/failure.h"
#include "platform/outlook.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lexi {

// The mail of one request: composed from the exchange files, shown to the
// user, and after the window has closed filed in the case or cleared away.
// While the mail is shown, Outlook raises its send and close events here.
class mdMail final : private MailEvents {
public:
    explicit mdMail(MailContext& context);
    // Drops the mail and Outlook.
    ~mdMail() override;
    mdMail(const mdMail&) = delete;
    mdMail& operator=(const mdMail&) = delete;

    // True when the saved file is an already-sent mail or no mail at all;
    // false for an unsent mail or an empty path.
    bool ErMailSendt(std::string_view GemtMail, std::string_view DocumentID);
    // The display name of an attachment path: the file name, without
    // ".msg" for a saved mail; empty for a path without "\".
    std::string GetFileBaseName(std::string_view FN);
    // Composes the mail (a new one, or the saved file `GemtMail`), shows it
    // and returns when its window has closed.
    void SendMail(std::string_view GemtMail, std::string_view DocumentID);
    // Keeps "tmp.txt" as it stands now for the rest of the request: the
    // case number, save path and document ID are read from what was kept.
    void takeCaseData();
    // The case number (line 3 of "tmp.txt"); empty when the file is missing.
    std::string HentSagsnummer();
    // Reads the save path and document ID from "tmp.txt", creating the case
    // folder when needed. False when it had to tell the user why it could
    // not: the mail is then not saved in the case, and no second message
    // says so.
    bool GemPaaSag();
    // Finds the sent mail by its marker and saves it in the case: from Sent
    // Items; a mail waiting in the Outbox or left in Drafts is reported.
    void GemMail(std::string_view GemtMail, std::string_view DocumentID);
    // The subject without its tags.
    std::string FjernTags(std::string_view Emne);
    // Clears this program's unsent mail out of the Outbox.
    void EmptyOutbox();

    // The mail's event handlers.
    void olMail_Send(bool& Cancel);
    void olMail_Close(bool& Cancel);

private:
    void onSend(bool& cancel) override { olMail_Send(cancel); }
    void onSendFailed() override { sendFailed(); }
    void onClose(bool& cancel) override { olMail_Close(cancel); }

    // Outlook could not send the mail after all: it stays open as if Send
    // had not been pressed, so that closing it saves it in the case.
    void sendFailed();
    // The running Outlook, or a new one (remembered as started here).
    std::shared_ptr<OutlookApplication> attachOutlook(bool& started);
    void composeNewMail(const ItemPtr& mail);
    // Whether the saved file at the path is a sent mail, or no mail at all.
    bool savedMailWasSent(std::string_view path);
    void reportComposeFailure(const Failure& failure);
    bool outlookIs11OrLater();
    void addFooter();
    void askToSaveReopenedMail();
    // Saves a new mail at the save path of "tmp.txt"; false when it has none.
    bool saveNewMailInCase();
    // The close of a mail that was not sent; false when nothing was done.
    bool closeUnsentMail();
    // "tmp.txt" now, or as kept; nothing when it is missing.
    std::optional<std::string> readCaseData();
    std::optional<std::string> caseData();
    // Where the mail being sent belongs, as the journal keeps it.
    JournalEntry requestTarget();
    // Notes the mail being sent in the journal of requests in flight.
    void noteInJournal();
    // Names, cleans and prints the documents of "findoc.txt" (when it lists
    // any) into the work folder and attaches what was made to the mail.
    void prepareDocuments(const ItemPtr& mail, const std::string& workFolder);
    // Cleans each document whose cleaning the user ticked, or tells the user
    // why it cannot be and leaves it out.
    void cleanDocuments(DocumentList& documents, DocPrepContext& preparing);
    // Tells the user, in one message, which documents the mail goes without
    // and why.
    void tellLeftOut(const std::vector<LeftOut>& leftOut);
    // The request's own work folder, fresh, inside the user's temporary
    // folder + "\lexitray".
    std::string createWorkFolder();

    // Where the sent mail was found: in Sent Items (with the item), in the
    // Outbox or in Drafts; folder 0 when nowhere within the time limit.
    struct FoundMail {
        ItemPtr item;
        int folder = 0;
    };
    FoundMail findSentMail(OutlookItems& sentItems, const std::string& filter);
    // The Outbox or Drafts when either holds the mail being sent, else 0.
    int folderHoldingMail();
    void reportUnfiledMail(int folder);

    // What the request is for, as its exchange files note it: the case data
    // of a new mail, the path of a reopened one.
    std::string requestFor(std::string_view GemtMail);

    MailContext& context_;
    mdRepository repository_;
    std::shared_ptr<OutlookApplication> outlook_;
    ItemPtr olMail;
    // The exchange files of the request, from its start until the draft holds
    // what they carried.
    std::optional<RequestFiles> requestFiles_;
};

// Runs one mail request: a new mail when `GemtMail` is empty, else the saved,
// unsent mail at that path.
void NaviMail(MailContext& context, std::string_view GemtMail);

} // namespace lexi
