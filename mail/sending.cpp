// Sending: the footer, the marker by which the sent copy is found again, and
// the subject's tags.

#include "mail/md_mail.h"
#include "platform/danish_format.h"
#include "platform/failure.h"
#include "platform/text.h"

#include <cstdio>
#include <cstdlib>

namespace lexi {
namespace {

const std::string Diaereses = "¨¨¨¨¨¨¨¨¨¨¨¨";

// "5. december 2026".
std::string footerDate(const LocalDateTime& now) {
    return std::to_string(now.day) + ". " + danish::monthName(now.month) + " " +
           std::to_string(now.year);
}

// "14.05.33".
std::string footerTime(const LocalDateTime& now) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%02d", now.hour, now.minute, now.second);
    return text;
}

// Outlook's version text without its dots, as a number: 11000000 or more
// means version 11 or later.
long long versionNumber(std::string_view version) {
    std::string digits;
    for (const char c : version) {
        if (c != '.') {
            digits += c;
        }
    }
    return std::atoll(digits.c_str());
}

} // namespace

bool mdMail::outlookIs11OrLater() {
    return versionNumber(outlook_->version()) >= 11'000'000;
}

void mdMail::addFooter() {
    const bool history = context_.platform.settings.getSetting("Lexitray", "Drevindstillinger",
                                                               "BenytMailHistorik", "1") == "1";
    const LocalDateTime now = context_.platform.clock.now();
    const std::string signedBy = "Oprettet og sendt den " + footerDate(now) + " klokken " +
                                 footerTime(now) + " af " + context_.state.OutlookBruger;
    const bool html = olMail->bodyFormat() == outlook::FormatHtml;
    if (!html) {
        context_.log.WriteLog("Mailen Uden HTML");
        if (history) {
            olMail->setBody(olMail->body() + "\r\n\r\n" + Diaereses + "\r\n" + signedBy + "\r\r\n");
        }
    } else {
        context_.log.WriteLog("Mailen med HTML Body");
        if (history) {
            olMail->setHtmlBody(olMail->htmlBody() +
                                "<span style=\"FONT-FAMILY: Arial; FONT-SIZE: 8pt; COLOR: "
                                "#4c4c4c\">" +
                                Diaereses + "<br>" + signedBy + "\r");
        }
    }
    // Outlook before version 11 places attachments by position: behind the body.
    if (!outlookIs11OrLater()) {
        OutlookAttachments& attachments = olMail->attachments();
        for (int i = 1; i <= attachments.count(); ++i) {
            attachments.item(i)->setPosition(static_cast<int>(text::utf16Length(olMail->body())) +
                                             1);
        }
    }
}

void mdMail::olMail_Send(bool&) {
    RunLog& log = context_.log;
    log.WriteLog("Starting procedure olMail_Send");
    if (!context_.state.MailSendt) {
        // A failure before the marker is reported, and the mail goes all the same.
        try {
            log.WriteLog("Mailen sendes");
            addFooter();
        } catch (const Failure& failure) {
            log.WriteLog("Fejl i olMail_Send: " + failure.description());
            context_.platform.ui.messageBox("Fejl i olMail_Send: " + failure.description(),
                                            msgbox::Critical, "Lexitray Send Mail");
        }
        ignoringFailure([&] { log.WriteLog("Subject i mail: " + olMail->subject()); });
        try {
            if (outlookIs11OrLater()) {
                context_.state.SendtMarkering = olMail->entryId();
            } else {
                context_.state.SendtMarkering =
                    text::toLower(danish::longTime(context_.platform.clock.now()));
            }
            olMail->setBillingInformation(context_.state.SendtMarkering);
            context_.state.MailSendt = true;
            noteInJournal();
        } catch (const Failure& failure) {
            log.WriteLog("Modul Send_mail Fejlkode: " + std::to_string(failure.number()) +
                         " Fejlbesked: " + failure.description());
            context_.platform.ui.messageBox(failure.description() + " (" +
                                                std::to_string(failure.number()) + ")",
                                            msgbox::Critical, "Lexitray Send Mail");
        }
    }
    log.WriteLog("Ending procedure olMail_Send");
}

void mdMail::noteInJournal() {
    MailState& state = context_.state;
    ignoringFailure([&] { state.sentEntryId = olMail->entryId(); });
    const JournalEntry target = requestTarget();
    if (target.savePath.empty()) {
        return;
    }
    state.journalName = SendJournal(context_.platform.registry)
                            .add(context_.platform.processes.currentProcessId(), target);
    if (state.journalName.empty()) {
        context_.log.WriteLog("Afsendelsen kunne ikke noteres i registreringsdatabasen");
    }
}

void mdMail::sendFailed() {
    MailState& state = context_.state;
    if (!state.MailSendt) {
        return;
    }
    context_.log.WriteLog("Mailen blev ikke sendt og er stadig åben");
    if (!state.journalName.empty()) {
        SendJournal(context_.platform.registry).remove(state.journalName);
        state.journalName.clear();
    }
    state.MailSendt = false;
    state.SendtMarkering.clear();
    state.sentEntryId.clear();
}

std::string mdMail::FjernTags(std::string_view Emne) {
    context_.log.WriteLog("Removing Tags");
    if (Emne.empty()) {
        return {};
    }
    // The workstation keeps no list of tags, so there are none to remove.
    context_.log.WriteLog("Error Removing tags resuming with original subject");
    return std::string(Emne);
}

} // namespace lexi
