#include "tray/document_launcher.h"

#include "docprep/file_names.h"
#include "mail/md_mail.h"
#include "platform/failure.h"
#include "platform/shell.h"
#include "platform/text.h"
#include "tray/usage_message.h"

namespace lexi {

std::string DocumentLauncher::shellErrorMessage(int code, std::string_view Dokument) {
    switch (code) {
    case shellcode::FileNotFound:
        return "Filen '" + std::string(Dokument) + "' ikke fundet!";
    case shellcode::PathNotFound:
        return "Bibliotekssti ikke fundet!";
    case shellcode::AccessDenied:
        return "Adgang nægtet!";
    case shellcode::OutOfMemory:
        return "Der er ikke nok hukommelse til at åbne filen!";
    case shellcode::BadExecutable:
        return "Defekt esekverbar fil!";
    case shellcode::SharingViolation:
        return "Filen er allerede i brug!";
    case shellcode::AssociationIncomplete:
        return "Filtypens association er forkert!";
    case shellcode::DdeTimeout:
        return "DDE Time out";
    case shellcode::DdeFailed:
        return "DDE overførsel fejlede";
    case shellcode::DdeBusy:
        return "DDE er allerede optaget";
    case shellcode::NoAssociation:
        return "Ukendt filtype";
    case shellcode::LibraryNotFound:
        return ".DLL ikke fundet";
    default:
        return "Der er sket en fejl!" + std::to_string(code);
    }
}

int DocumentLauncher::ÅbnDok() {
    const ProgramState& program = context_.program;
    Ui& ui = context_.platform.ui;
    try {
        context_.log.WriteLog("Åbner dokumentet: " + program.Dokument + " med kommandoen " +
                              program.DDEKommando);
        const int result = StartProgram(program.Dokument, program.DDEKommando, program.DocumentID);
        if (result >= 1 && result <= shellcode::LastError) {
            const std::string message = shellErrorMessage(result, program.Dokument);
            context_.log.WriteLog("Der skete en fejl: " + message);
            ui.messageBox(message, msgbox::OkOnly, "Lexitray");
            ShowUsageMessage(ui);
        }
        return result;
    } catch (const Failure& failure) {
        ui.messageBox("Fejl i åbndok: " + failure.description(), msgbox::OkOnly, "Lexitray");
        return 0;
    }
}

int DocumentLauncher::StartProgram(std::string_view Dokument, std::string_view DDEKommando,
                                   std::string_view DocumentID) {
    RunLog& log = context_.log;
    try {
        log.WriteLog("Starting procedure StartProgram with parameters Dokument " +
                     std::string(Dokument) + "DDEKommando " + std::string(DDEKommando) +
                     "DocumentId " + std::string(DocumentID));
        if (recordExtension(Dokument) == "msg") {
            bool sent = false;
            {
                mdMail post(context_);
                sent = post.ErMailSendt(Dokument, DocumentID);
            }
            if (!sent) {
                log.WriteLog("Procedure StartProgram Mail is not sent");
                NaviMail(context_, Dokument);
                return 0;
            }
            mdRepository repository(context_);
            repository.SkrivCallback(DocumentID, false);
            log.WriteLog("Procedure StartProgram Mail is  sent");
            repository.SkrivCallback(DocumentID, false);
        }
        log.WriteLog("StartProgram Procedure in Videre");
        const ShowMode mode =
            text::toLower(DDEKommando) == "print" ? ShowMode::Hidden : ShowMode::Maximized;
        return context_.platform.shell.execute(DDEKommando, Dokument, "",
                                               context_.program.exchangeFolder, mode);
    } catch (const Failure& failure) {
        log.WriteLog("Fejl i StartProgram: " + failure.description());
        context_.platform.ui.messageBox("Fejl i StartProgram: " + failure.description(),
                                        msgbox::OkOnly, "Lexitray");
        return 0;
    }
}

} // namespace lexi
