// The case data of "tmp.txt": the case number, the save path and the
// document ID.

#include "mail/exchange_files.h"
#include "mail/md_mail.h"
#include "platform/failure.h"

namespace lexi {

std::string mdMail::HentSagsnummer() {
    FileSystem& files = context_.platform.files;
    const std::string path = context_.program.exchangeFolder + exchange::CaseData;
    try {
        if (!files.exists(path)) {
            context_.log.WriteLog("Filen tmp.txt blev ikke fundet!");
            return {};
        }
        const auto lines = exchange::readLines(exchange::decode(files.readFile(path)));
        // The third line is read after skipping two: a shorter file ends
        // before it.
        if (lines.size() < 3) {
            throw Failure(failure::InputPastEndOfFile, "HentSagsnummer");
        }
        return lines[2];
    } catch (const Failure& failure) {
        context_.platform.ui.messageBox("Fejl i hentsagsnummer: " + failure.description(),
                                        msgbox::OkOnly, "Lexitray");
        return {};
    }
}

void mdMail::GemPaaSag() {
    FileSystem& files = context_.platform.files;
    const std::string path = context_.program.exchangeFolder + exchange::CaseData;
    try {
        if (!files.exists(path)) {
            context_.platform.ui.messageBox("Filen " + path +
                                                " kunne ikke findes. Dette er en alvorlig fejl.",
                                            msgbox::Critical, "Lexitray");
            return;
        }
        std::vector<std::string> lines =
            exchange::splitCaseData(exchange::decode(files.readFile(path)));
        if (lines.size() < 7) {
            throw Failure(failure::SubscriptOutOfRange, "GemPaaSag");
        }
        context_.program.DocumentID = lines[6];
        for (int i = 0; i < 3; ++i) {
            if (!lines[i].ends_with('\\')) {
                lines[i] += '\\';
            }
        }
        if (!context_.program.DocumentID.empty()) {
            context_.state.GemmeSti = lines[3];
            return;
        }
        const std::string caseFolder = lines[0] + lines[1] + lines[2];
        context_.state.GemmeSti = caseFolder + lines[3] + ".msg";
        if (!files.isFolder(caseFolder)) {
            files.createFolder(caseFolder);
        }
    } catch (const Failure& failure) {
        context_.platform.ui.messageBox("Fejl i Gempaasag: " + failure.description(),
                                        msgbox::OkOnly, "Lexitray");
    }
}

} // namespace lexi
