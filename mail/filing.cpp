// Filing the sent mail in the case, and clearing an unsent one away.

#include "mail/case_filing.h"
#include "mail/item_search.h"
#include "mail/md_mail.h"
#include "mail/search_bound.h"
#include "platform/failure.h"

namespace lexi {
namespace {

constexpr int SearchLimitSeconds = 400;
// The pause between two looks at Sent Items, so that waiting costs no CPU.
constexpr int PollPauseMilliseconds = 250;

} // namespace

int mdMail::folderHoldingMail() {
    const auto session = outlook_->session();
    const MailState& state = context_.state;
    const auto isTheSentMail = [&state](OutlookItem& item) {
        return item.billingInformation() == state.SendtMarkering ||
               (!state.sentEntryId.empty() && item.entryId() == state.sentEntryId);
    };
    for (const int folder : {outlook::FolderOutbox, outlook::FolderDrafts}) {
        if (lastMatchingItem(*session, folder, isTheSentMail)) {
            return folder;
        }
    }
    return 0;
}

mdMail::FoundMail mdMail::findSentMail(OutlookItems& sentItems, const std::string& filter) {
    RunLog& log = context_.log;
    Clock& clock = context_.platform.clock;
    const LocalDateTime start = clock.now();
    const auto timeLeft = [&] {
        return secondsBetween(start, clock.now()) <= SearchLimitSeconds;
    };
    // A mail that is not in Sent Items may be waiting in the Outbox or not
    // have left Drafts: then there is nothing to wait for.
    const auto waitForMore = [&](FoundMail& elsewhere) {
        elsewhere.folder = folderHoldingMail();
        if (elsewhere.folder != 0 || !timeLeft()) {
            return false;
        }
        clock.sleepMilliseconds(PollPauseMilliseconds);
        return true;
    };
    FoundMail found;

    // Wait until Sent Items holds mail sent after the bound, within the limit.
    ItemsPtr recent = sentItems.restrict(filter);
    int count = recent->count();
    while (count == 0) {
        if (!waitForMore(found)) {
            return found;
        }
        recent = sentItems.restrict(filter);
        count = recent->count();
    }

    int position = count;
    int attempt = 1;
    log.WriteLog("Leder i " + std::to_string(count) + " beskeder");
    std::string billing;
    while (timeLeft()) {
        const int now = recent->count();
        if (now != count) {
            count = position = now;
            log.WriteLog("  Antallet af beskeder har ændret sig. Leder nu i " +
                         std::to_string(count) + " beskeder");
        }
        if (position < 1) {
            log.WriteLog("Har ledt i alle beskeder. Starter forfra.");
            count = position = recent->count();
            // Every mail may have left Sent Items meanwhile: look again later.
            if (position < 1) {
                if (!waitForMore(found)) {
                    return found;
                }
                continue;
            }
        }
        const ItemPtr item = recent->item(position);
        ignoringFailure([&] { billing = item->billingInformation(); });
        if (billing == context_.state.SendtMarkering) {
            log.WriteLog("Fandt mail efter " + std::to_string(attempt) + " forsøg.");
            return {item, outlook::FolderSentItems};
        }
        --position;
        ++attempt;
        // A whole pass found nothing: give Outlook a moment to file the mail.
        if (position < 1 && !waitForMore(found)) {
            return found;
        }
    }
    return found;
}

void mdMail::reportUnfiledMail(int folder) {
    if (folder == outlook::FolderOutbox) {
        // The journal keeps the request: a later try of the Outbox sends the
        // mail, and the next look at the journal files it. Outlook has told
        // the user why it waits.
        context_.log.WriteLog("Mailen ligger i Udbakke og gemmes i sagen, når den er sendt");
        if (!context_.state.journalName.empty()) {
            JournalEntry waiting = requestTarget();
            waiting.waiting = true;
            SendJournal(context_.platform.registry).update(context_.state.journalName, waiting);
        }
        return;
    }
    context_.log.WriteLog("Mailen blev ikke sendt og ligger i Kladder");
    context_.platform.ui.messageBox(
        "Mailen blev ikke sendt og er ikke gemt i sagen. Den ligger i Kladder.", msgbox::Critical,
        "Lexitray");
    if (!context_.state.journalName.empty()) {
        SendJournal(context_.platform.registry).remove(context_.state.journalName);
    }
}

void mdMail::GemMail(std::string_view GemtMail, std::string_view) {
    MailState& state = context_.state;
    if (!state.MailSendt) {
        return;
    }
    RunLog& log = context_.log;
    log.WriteLog("Checker om mail kan findes i 'Sendt Post'");
    bool started = false;
    try {
        outlook_ = attachOutlook(started);
        const FolderPtr sentFolder =
            outlook_->session()->getDefaultFolder(outlook::FolderSentItems);
        log.WriteLog("Finder gemmesti");
        // A failure of the case data has been told: saving does not tell it
        // again.
        SaveFailure saveFailure = SaveFailure::Tell;
        if (GemtMail.empty()) {
            saveFailure = GemPaaSag() ? SaveFailure::Tell : SaveFailure::AlreadyTold;
        } else {
            state.GemmeSti = GemtMail;
        }
        FoundMail found;
        if (state.SendtMarkering.empty()) {
            // Without a marker any sent mail would match: file none rather
            // than a wrong one.
            log.WriteLog("Mailen har ingen markering og kan ikke findes i 'Sendt Post'");
        } else if ((found = findSentMail(*sentFolder->items(),
                                         searchBoundFilter(context_.platform.clock.now())))
                       .item) {
            fileInCase(context_, *outlook_, *found.item,
                       {state.GemmeSti, context_.program.DocumentID, state.SendtMarkering, {}},
                       state.journalName, saveFailure);
        } else if (found.folder != 0) {
            reportUnfiledMail(found.folder);
        } else {
            log.WriteLog("Fik timeout, kunne ikke finde serveren på " +
                         std::to_string(SearchLimitSeconds) + " sekunder");
            context_.platform.ui.messageBox(
                "Mailen blev ikke gemt på grund af en timeout fejl. Serveren svarer ikke.",
                msgbox::Critical, "Lexitray");
        }
    } catch (const Failure& failure) {
        log.WriteLog("Fejl i GemMail: " + failure.description());
        context_.platform.ui.messageBox("Fejl i GemMail: " + failure.description(),
                                        msgbox::Critical, "Lexitray");
    }
    state.SendtMarkering.clear();
    if (started) {
        outlook_.reset();
    }
    context_.platform.ui.doEvents();
}

void mdMail::EmptyOutbox() {
    context_.log.WriteLog("Starting procedure EmptyOutbox");
    ignoringFailure([&] {
        if (outlook_) {
            const ItemsPtr outbox =
                outlook_->session()->getDefaultFolder(outlook::FolderOutbox)->items();
            // Only the program's own mail goes; what the user queued stays,
            // and so does a sent mail that waits for delivery (it carries its
            // marker until it is filed).
            for (int position = outbox->count(); position >= 1; --position) {
                const ItemPtr item = outbox->item(position);
                if (item->mileage() == "NAV" && item->billingInformation().empty()) {
                    outbox->remove(position);
                }
            }
        }
    });
    context_.platform.ui.doEvents();
    context_.log.WriteLog("Ending procedure EmptyOutbox");
}

} // namespace lexi
