// Filing the sent mail in the case, and clearing an unsent one away.

#include "mail/md_mail.h"
#include "mail/search_bound.h"
#include "platform/failure.h"
#include "program/document_id.h"

namespace lexi {
namespace {

constexpr int SearchLimitSeconds = 400;
// The pause between two looks at Sent Items, so that waiting costs no CPU.
constexpr int PollPauseMilliseconds = 250;

} // namespace

ItemPtr mdMail::findSentMail(OutlookItems& sentItems, const std::string& filter) {
    RunLog& log = context_.log;
    Clock& clock = context_.platform.clock;
    const LocalDateTime start = clock.now();
    const auto timeLeft = [&] {
        return secondsBetween(start, clock.now()) <= SearchLimitSeconds;
    };

    // Wait until Sent Items holds mail sent after the bound, within the limit.
    ItemsPtr recent = sentItems.restrict(filter);
    int count = recent->count();
    while (count == 0) {
        if (!timeLeft()) {
            return nullptr;
        }
        clock.sleepMilliseconds(PollPauseMilliseconds);
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
                clock.sleepMilliseconds(PollPauseMilliseconds);
                continue;
            }
        }
        const ItemPtr item = recent->item(position);
        try {
            billing = item->billingInformation();
        } catch (const Failure&) {
        }
        if (billing == context_.state.SendtMarkering) {
            log.WriteLog("Fandt mail efter " + std::to_string(attempt) + " forsøg.");
            return item;
        }
        --position;
        ++attempt;
        if (position < 1) {
            // A whole pass found nothing: give Outlook a moment to file the mail.
            clock.sleepMilliseconds(PollPauseMilliseconds);
        }
    }
    return nullptr;
}

void mdMail::fileSentMail(OutlookItem& mail) {
    RunLog& log = context_.log;
    // Every failure from here on is ignored: the mail has been sent.
    const auto ignoringFailure = [](auto step) {
        try {
            step();
        } catch (const Failure&) {
        }
    };
    ignoringFailure([&] { log.WriteLog("Mail identificeret: '" + mail.subject() + "'"); });
    ignoringFailure([&] {
        mail.setBillingInformation("");
        mail.save();
    });
    context_.platform.ui.doEvents();
    log.WriteLog("Gemmer mail i sagsmappe " + context_.state.GemmeSti);
    ignoringFailure([&] { mail.saveAs(context_.state.GemmeSti); });
    ignoringFailure([&] { mail.close(outlook::Discard); });
    if (!IsEmptyId(context_.program.DocumentID)) {
        log.WriteLog("Callback til NAV docID " + context_.program.DocumentID);
        repository_.SkrivCallback(context_.program.DocumentID, true);
    }
    context_.platform.ui.doEvents();
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
        const auto outlook = attachOutlook(started);
        const FolderPtr sentFolder = outlook->session()->getDefaultFolder(outlook::FolderSentItems);
        log.WriteLog("Finder gemmesti");
        if (GemtMail.empty()) {
            GemPaaSag();
        } else {
            state.GemmeSti = GemtMail;
        }
        if (state.SendtMarkering.empty()) {
            // Without a marker any sent mail would match: file none rather
            // than a wrong one.
            log.WriteLog("Mailen har ingen markering og kan ikke findes i 'Sendt Post'");
        } else if (const ItemPtr found = findSentMail(
                       *sentFolder->items(), searchBoundFilter(context_.platform.clock.now()))) {
            fileSentMail(*found);
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
    context_.platform.ui.doEvents();
}

void mdMail::EmptyOutbox() {
    context_.log.WriteLog("Starting procedure EmptyOutbox");
    try {
        if (outlook_) {
            const ItemsPtr outbox =
                outlook_->session()->getDefaultFolder(outlook::FolderOutbox)->items();
            // Only the program's own mail goes; what the user queued stays.
            for (int position = outbox->count(); position >= 1; --position) {
                if (outbox->item(position)->mileage() == "NAV") {
                    outbox->remove(position);
                }
            }
        }
    } catch (const Failure&) {
    }
    context_.platform.ui.doEvents();
    context_.log.WriteLog("Ending procedure EmptyOutbox");
}

} // namespace lexi
