// Closing the mail window without sending: nothing the user wrote is lost.

#include "mail/case_filing.h"
#include "mail/md_mail.h"
#include "platform/failure.h"
#include "program/document_id.h"

namespace lexi {
namespace {

// "*{*}*": an opening brace with a closing one somewhere after it.
bool hasTag(std::string_view subject) {
    const std::size_t open = subject.find('{');
    return open != std::string_view::npos && subject.find('}', open + 1) != std::string_view::npos;
}

} // namespace

void mdMail::askToSaveReopenedMail() {
    RunLog& log = context_.log;
    const std::string& documentId = context_.program.DocumentID;
    const bool hasDocument = !IsEmptyId(documentId);
    log.WriteLog(hasDocument ? "Ask With Document " + documentId : "Ask With Empty GUID");
    const std::string question =
        hasDocument ? "Gem ændringerne? " : "Gem ændringerne? \n\n" + context_.state.GemmeSti;
    const int answer = context_.platform.ui.messageBox(
        question, msgbox::YesNo | msgbox::Question | msgbox::SystemModal, "Lexitray");
    log.WriteLog("responce from user found , will continue with IsSave True");
    if (answer == msgbox::Yes) {
        log.WriteLog("responce from user is YES Save");
        if (saveInCase(context_, *outlook_, *olMail, context_.state.GemmeSti)) {
            log.WriteLog("Gemmer mail i sagsmappe som " + context_.state.GemmeSti);
            repository_.SkrivCallback(documentId, true);
        }
    } else {
        log.WriteLog("Bruger valgte ikke at gemme");
        repository_.SkrivCallback(documentId, false);
    }
}

bool mdMail::saveNewMailInCase() {
    const bool caseReady = GemPaaSag();
    if (context_.state.GemmeSti.empty()) {
        return false;
    }
    if (saveInCase(context_, *outlook_, *olMail, context_.state.GemmeSti,
                   caseReady ? SaveFailure::Tell : SaveFailure::AlreadyTold)) {
        context_.log.WriteLog("Gemmer mail i sagsmappe som " + context_.state.GemmeSti);
        repository_.SkrivCallback(context_.program.DocumentID, true);
    }
    return true;
}

bool mdMail::closeUnsentMail() {
    RunLog& log = context_.log;
    const std::string subject = olMail->subject();
    if (hasTag(subject)) {
        // A tagged mail leaves by another route: it counts as sent.
        log.WriteLog("Bruger sender sikkert");
        log.WriteLog("Vedrørende 1 = " + subject);
        olMail->setSubject(FjernTags(subject));
        log.WriteLog("Vedrørende 2 = " + olMail->subject());
        context_.state.MailSendt = true;
        return true;
    }
    log.WriteLog("olMail_Close first Else , exit without send");
    log.WriteLog("Bruger afslutter uden at sende");
    if (!context_.state.GemmeSti.empty()) {
        askToSaveReopenedMail();
        return true;
    }
    return saveNewMailInCase();
}

void mdMail::olMail_Close(bool&) {
    RunLog& log = context_.log;
    log.WriteLog("Starting procedure olMail_Close");
    // A failure here is reported; the window closes all the same.
    try {
        const bool handled = !context_.state.MailSendt && closeUnsentMail();
        if (!handled && !IsEmptyId(context_.program.DocumentID)) {
            log.WriteLog("Bør ikke være her " +
                         std::string(context_.state.MailSendt ? "True" : "False"));
        }
    } catch (const Failure& failure) {
        log.WriteLog("Fejl i olMail_Close: " + failure.description());
        context_.platform.ui.messageBox("Fejl i olMail_Close: " + failure.description(),
                                        msgbox::Critical, "Lexitray");
    }
    ignoringFailure([&] { olMail->close(outlook::Discard); });
    log.WriteLog("Ending procedure olMail_Close");
}

} // namespace lexi
