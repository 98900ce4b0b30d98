// Composing the mail of a request and showing it.

#include "docprep/cleaning_rule.h"
#include "docprep/document_list.h"
#include "docprep/merge_and_print.h"
#include "docprep/rens_dokument.h"
#include "mail/exchange_files.h"
#include "mail/md_mail.h"
#include "mail/requests_in_flight.h"
#include "mail/work_folders.h"
#include "platform/danish_format.h"
#include "platform/failure.h"
#include "platform/text.h"
#include "shared/registry/md_registry.h"

namespace lexi {
namespace {

const char* const PrinterDevicesKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";

std::string trueFalse(bool value) {
    return value ? "True" : "False";
}

} // namespace

mdMail::mdMail(MailContext& context) : context_(context), repository_(context) {}

mdMail::~mdMail() {
    if (olMail) {
        olMail->setEvents(nullptr);
    }
}

std::shared_ptr<OutlookApplication> mdMail::attachOutlook(bool& started) {
    started = false;
    if (auto running = context_.platform.outlook.running()) {
        return running;
    }
    started = true;
    return context_.platform.outlook.start();
}

void NaviMail(MailContext& context, std::string_view GemtMail) {
    context.log.WriteLog("Starting new instance of NaviMail Procedure");
    {
        mdMail post(context);
        if (GemtMail.empty()) {
            post.takeCaseData();
        }
        post.SendMail(GemtMail, context.program.DocumentID);
        context.log.WriteLog("MailSendt has value of " + trueFalse(context.state.MailSendt) +
                             "and GemtMail has value of " + std::string(GemtMail));
        if (!context.state.MailSendt) {
            post.EmptyOutbox();
        } else if (!GemtMail.empty()) {
            post.GemMail(GemtMail, context.program.DocumentID);
            context.platform.ui.doEvents();
        } else {
            post.GemMail("", context.program.DocumentID);
            context.state.MailSendt = false;
        }
        context.log.WriteLog("Setting Post var to Nothing in NavMail Procedure");
        context.platform.ui.doEvents();
    }
}

std::string mdMail::requestFor(std::string_view GemtMail) {
    if (!GemtMail.empty()) {
        return "GemtMail=" + std::string(GemtMail);
    }
    std::optional<std::string> data;
    ignoringFailure([&] { data = caseData(); });
    return data.value_or("");
}

void mdMail::SendMail(std::string_view GemtMail, std::string_view) {
    RunLog& log = context_.log;
    // The request's exchange files are its own from here on, whatever
    // becomes of it.
    requestFiles_.emplace(context_, requestFor(GemtMail));
    requestFiles_->take(GemtMail.empty());
    log.WriteLog("Try to get instance of outlook");
    bool started = false;
    try {
        outlook_ = context_.platform.outlook.running();
        if (!outlook_) {
            log.WriteLog("No instances found , Opening up Outlook");
            started = true;
            outlook_ = context_.platform.outlook.start();
        }
    } catch (const Failure&) {
        // Reported at the first use of the missing Outlook, below.
    }
    mdRegistry registry(context_.platform.registry, context_.platform.ui);
    std::int32_t bufferSize = 0;
    context_.state.pdfPrinterEntry =
        registry.ReadRegistryValue(PrinterDevicesKey, "Lexitray PDF Writer", bufferSize)
            .value_or("");

    ItemPtr mail;
    std::string workFolder;
    std::string workFolderNote;
    try {
        if (!outlook_) {
            throw Failure(failure::ObjectNotSet, "SendMail");
        }
        log.WriteLog("Lokaldrevet er " + context_.program.exchangeFolder);
        log.WriteLog("Det er en Outlook version " + outlook_->version());
        context_.state.OutlookBruger = outlook_->session()->currentUserName();

        log.WriteLog("Laver tempmappe");
        // Without a work folder the mail goes without its documents.
        try {
            workFolder = createWorkFolder();
            workFolderNote = noteWorkFolder(context_, workFolder);
            log.WriteLog("Tempmappen hedder " + workFolder);
        } catch (const Failure& failure) {
            log.WriteLog("Tempmappen kunne ikke laves: " + failure.description());
        }

        log.WriteLog("Åbner instans af Outlook");
        if (!GemtMail.empty()) {
            context_.state.GemmeSti = GemtMail;
            mail = outlook_->createItemFromTemplate(GemtMail);
            const bool html = mail->bodyFormat() == outlook::FormatHtml;
            const std::string savedBody = html ? mail->htmlBody() : mail->body();
            log.WriteLog("Det er en gemt mail, som ikke er sendt");
            log.WriteLog("Viser mail med signatur");
            mail->display(false);
            // Showing the mail adds the signature; the saved body stays as it was.
            if (html) {
                mail->setHtmlBody(savedBody);
            } else {
                mail->setBody(savedBody);
            }
        } else {
            mail = outlook_->createItem(outlook::MailItem);
            log.WriteLog("Det er ny mail");
            log.WriteLog("Viser mail med signatur");
            composeNewMail(mail);
        }
        if (mail->subject().empty()) {
            log.WriteLog("Finder og indsætter vedrørende");
            mail->setSubject(HentSagsnummer());
        }
        mail->display(false);

        log.WriteLog("Henter eventuelle dokumenter til vedhæftning");
        prepareDocuments(mail, workFolder);

        log.WriteLog("Starter olMail.copy");
        mail->setSentOnBehalfOfName("");
        olMail = mail->copy();
        olMail->setEvents(this);
        log.WriteLog("Afslutter olMail.copy");
        mail->close(outlook::Discard);
        mail.reset();
        log.WriteLog("Set to null and null");

        olMail->setMileage("NAV");
        log.WriteLog("Milage set to NAV");
        olMail->save();
        log.WriteLog("SAVE");
        // What the exchange files carried is in the stored draft now.
        requestFiles_->release();

        // The attachments are in the draft. A folder that will not go now is
        // tried again when the request ends.
        if (!workFolder.empty()) {
            ignoringFailure([&] {
                removeWorkFolder(context_, workFolder, workFolderNote);
                workFolder.clear();
            });
        }
        log.WriteLog("Delete tmp folder");

        olMail->setSentOnBehalfOfName("");
        // While the user works on the mail, Outlook may send what waits in
        // its Outbox.
        sendWaitingMail(context_);
        log.WriteLog("Viser mail");
        olMail->display(true);
    } catch (const Failure& failure) {
        reportComposeFailure(failure);
    }
    if (!workFolder.empty()) {
        ignoringFailure([&] { removeWorkFolder(context_, workFolder, workFolderNote); });
    }
    if (olMail) {
        olMail->setEvents(nullptr);
    }
    olMail.reset();
    mail.reset();
    if (started) {
        outlook_.reset();
    }
}

void mdMail::composeNewMail(const ItemPtr& mail) {
    RunLog& log = context_.log;
    FileSystem& files = context_.platform.files;
    log.WriteLog("Henter modtagere");
    const std::string path = requestFiles_->path(exchange::Recipients);
    if (path.empty()) {
        log.WriteLog("Fil med modtagere findes ikke (finmail.txt)");
        return;
    }
    const exchange::MailRequest request =
        exchange::parseRecipients(exchange::decode(files.readFile(path)));
    requestFiles_->read(exchange::Recipients);
    std::string line = context_.program.BccModtagere ? mail->bcc() : mail->to();
    for (const std::string& recipient : request.recipients) {
        line += ";" + recipient;
    }
    if (context_.program.BccModtagere) {
        mail->setBcc(line);
    } else {
        mail->setTo(line);
    }
    for (const std::string& subject : request.subjects) {
        log.WriteLog("Indsætter vedrørende");
        mail->setSubject(subject);
    }
    mail->recipients().resolveAll();
    log.WriteLog("  " + std::to_string(mail->recipients().count()) + " modtagere tilføjet");
}

void mdMail::prepareDocuments(const ItemPtr& mail, const std::string& workFolder) {
    FileSystem& files = context_.platform.files;
    RunLog& log = context_.log;
    const std::string path = requestFiles_->path(exchange::Documents);
    if (path.empty()) {
        return;
    }
    DocPrepContext preparing{context_.platform, log, context_.program, workFolder,
                             !context_.state.pdfPrinterEntry.empty()};
    DocumentList documents = HentFiler(preparing, path);
    requestFiles_->read(exchange::Documents);
    if (workFolder.empty()) {
        for (const MergeDocument& record : documents) {
            if (!record.SourcePath.empty()) {
                preparing.leftOut.push_back({record.SourcePath, "arbejdsmappen kunne ikke laves"});
            }
        }
        tellLeftOut(preparing.leftOut);
        return;
    }
    GetNames(documents, preparing);
    cleanDocuments(documents, preparing);
    const DocumentList& prepared = MergeAndPrint(documents, preparing);
    for (const MergeDocument& record : prepared) {
        log.WriteLog("Oprindeligt navn: " + record.SourcePath);
        log.WriteLog("Nyt navn: " + record.TargetPath);
    }
    for (const MergeDocument& record : prepared) {
        if (fileExists(files, record.TargetPath)) {
            mail->attachments().add(record.TargetPath, outlook::ByValue, -1,
                                    GetFileBaseName(record.TargetPath));
            log.WriteLog("Filen " + record.TargetPath + " vedhæftet");
            continue;
        }
        log.WriteLog("fandt ikke: " + record.TargetPath);
        // An empty target was left out, and noted, before the engine ran;
        // an empty source is the list without documents.
        if (!record.TargetPath.empty() && !record.SourcePath.empty()) {
            preparing.leftOut.push_back({record.SourcePath, fileExists(files, record.SourcePath)
                                                                ? "den kunne ikke gøres klar"
                                                                : "filen findes ikke"});
        }
    }
    tellLeftOut(preparing.leftOut);
}

void mdMail::tellLeftOut(const std::vector<LeftOut>& leftOut) {
    if (leftOut.empty()) {
        return;
    }
    std::string text = "Disse dokumenter er ikke vedhæftet mailen:\r\n";
    for (const LeftOut& document : leftOut) {
        text += "\r\n" + document.document + " (" + document.reason + ")";
    }
    context_.platform.ui.messageBox(text, msgbox::OkOnly + msgbox::Exclamation, "Lexitray");
}

// The ticked documents of a kind the cleaner handles are cleaned into their
// targets; the user is told of the others. A document that is not cleaned
// gets an empty target: nothing is attached for it. A document printed to a
// PDF is made afresh and needs no cleaning.
void mdMail::cleanDocuments(DocumentList& documents, DocPrepContext& preparing) {
    for (MergeDocument& record : documents) {
        if (!record.Clean) {
            continue;
        }
        switch (cleaningChoice(record.SourceExt, record.TargetExt, preparing.pdfWriterInstalled)) {
        case CleaningChoice::Clean:
            record.TargetPath =
                RensDokument(context_.platform, context_.log, record.SourcePath, record.TargetPath);
            if (record.TargetPath.empty()) {
                preparing.leftOut.push_back(
                    {record.SourcePath, "den kunne ikke renses for skjulte oplysninger"});
            }
            break;
        case CleaningChoice::Refuse:
            tellNotCleaned(context_.platform.ui, context_.log, record.SourcePath);
            record.TargetPath.clear();
            preparing.leftOut.push_back(
                {record.SourcePath, "den kan ikke renses for skjulte oplysninger"});
            break;
        case CleaningChoice::Print:
            break;
        }
    }
}

std::string mdMail::createWorkFolder() {
    FileSystem& files = context_.platform.files;
    const std::string base = files.tempFolder() + "\\lexitray";
    if (!files.isFolder(base)) {
        // Another request may create it at the same moment.
        try {
            files.createFolder(base);
        } catch (const Failure&) {
            if (!files.isFolder(base)) {
                throw;
            }
        }
    }
    // A name no other request has: this process's, and a number that
    // counts past names left by earlier processes of the same id.
    const std::string prefix =
        base + "\\mail-" + std::to_string(context_.platform.processes.currentProcessId()) + "-";
    for (int attempt = 1;; ++attempt) {
        const std::string folder = prefix + std::to_string(attempt);
        if (files.exists(folder)) {
            continue;
        }
        try {
            files.createFolder(folder);
            return folder;
        } catch (const Failure&) {
            if (!files.exists(folder) || attempt >= 100) {
                throw;
            }
        }
    }
}

void mdMail::reportComposeFailure(const Failure& failure) {
    context_.platform.ui.messageBox(failure.description() + " (" +
                                        std::to_string(failure.number()) + ")",
                                    msgbox::Critical, "Lexitray");
    context_.log.WriteLog("Der skete en fejl. Fejlteksten er: " + failure.description() +
                          " med nummer: " + std::to_string(failure.number()));
}

bool mdMail::savedMailWasSent(std::string_view path) {
    context_.log.WriteLog("Checker om det er en mail eller en report, appointment etc.");
    const ItemPtr item = outlook_->createItemFromTemplate(text::trimSpaces(path));
    if (item->itemClass() != outlook::ClassMail) {
        return true;
    }
    context_.log.WriteLog("  Checker om det er en tidligere afsendt mail");
    const std::string sentDate = danish::shortDate(item->sentOn());
    context_.log.WriteLog("  Mailens sendtdato er " + sentDate +
                          " - hvis '01-01-4501' er den ikke sendt");
    const bool sent = sentDate != "01-01-4501";
    if (sent) {
        context_.log.WriteLog("Det er en gemt og afsendt mail");
    }
    item->close(outlook::Discard);
    return sent;
}

bool mdMail::ErMailSendt(std::string_view GemtMail, std::string_view) {
    bool sent = false;
    bool started = false;
    try {
        outlook_ = attachOutlook(started);
        if (started) {
            context_.log.WriteLog("Ny instans af outlook startet");
        }
        if (!GemtMail.empty()) {
            sent = savedMailWasSent(GemtMail);
        }
    } catch (const Failure& failure) {
        context_.log.WriteLog("Fejl i ErMailSendt log: " + failure.description());
        context_.platform.ui.messageBox("Fejl i ErMailSendt msg: " + failure.description(),
                                        msgbox::OkOnly, "Lexitray");
    }
    // An Outlook started here is dropped here, whatever the path.
    if (started) {
        outlook_.reset();
    }
    return sent;
}

std::string mdMail::GetFileBaseName(std::string_view FN) {
    const std::size_t slash = FN.rfind('\\');
    if (slash == std::string_view::npos) {
        return {};
    }
    const std::string_view name = FN.substr(slash + 1);
    if (name.size() >= 4 && text::toLower(name.substr(name.size() - 4)) == ".msg") {
        return std::string(name.substr(0, name.size() - 4));
    }
    return std::string(name);
}

} // namespace lexi
