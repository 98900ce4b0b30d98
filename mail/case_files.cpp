// The case data of "tmp.txt": the case number, the save path and the
// document ID.

#include "mail/exchange_files.h"
#include "mail/md_mail.h"
#include "platform/failure.h"
#include "platform/text.h"

namespace lexi {

std::optional<std::string> mdMail::readCaseData() {
    FileSystem& files = context_.platform.files;
    const std::string path = context_.program.exchangeFolder + exchange::CaseData;
    if (!files.exists(path)) {
        return std::nullopt;
    }
    return files.readFile(path);
}

void mdMail::takeCaseData() {
    // A file that cannot be read now is read when it is needed, as before.
    ignoringFailure([&] {
        context_.state.caseData = readCaseData();
        context_.state.caseDataTaken = true;
    });
}

std::optional<std::string> mdMail::caseData() {
    if (context_.state.caseDataTaken) {
        return context_.state.caseData;
    }
    return readCaseData();
}

std::string mdMail::HentSagsnummer() {
    try {
        const std::optional<std::string> data = caseData();
        if (!data) {
            context_.log.WriteLog("Filen tmp.txt blev ikke fundet!");
            return {};
        }
        const auto lines = text::readLines(exchange::decode(*data));
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

bool mdMail::GemPaaSag() {
    FileSystem& files = context_.platform.files;
    try {
        const std::optional<std::string> data = caseData();
        if (!data) {
            const std::string path = context_.program.exchangeFolder + exchange::CaseData;
            context_.platform.ui.messageBox("Filen " + path +
                                                " kunne ikke findes. Dette er en alvorlig fejl.",
                                            msgbox::Critical, "Lexitray");
            return false;
        }
        const exchange::CaseTarget target = exchange::caseTarget(exchange::decode(*data));
        context_.program.DocumentID = target.documentId;
        context_.state.GemmeSti = target.savePath;
        if (!target.caseFolder.empty() && !files.isFolder(target.caseFolder)) {
            files.createFolder(target.caseFolder);
        }
    } catch (const Failure& failure) {
        context_.platform.ui.messageBox("Fejl i Gempaasag: " + failure.description(),
                                        msgbox::OkOnly, "Lexitray");
        return false;
    }
    return true;
}

JournalEntry mdMail::requestTarget() {
    JournalEntry target;
    target.marker = context_.state.SendtMarkering;
    // A reopened mail has its save path from the start.
    if (!context_.state.GemmeSti.empty()) {
        target.savePath = context_.state.GemmeSti;
        target.documentId = context_.program.DocumentID;
        return target;
    }
    try {
        if (const std::optional<std::string> data = caseData()) {
            const exchange::CaseTarget found = exchange::caseTarget(exchange::decode(*data));
            target.savePath = found.savePath;
            target.documentId = found.documentId;
        }
    } catch (const Failure&) {
        // Filing reports what is wrong with "tmp.txt".
    }
    return target;
}

} // namespace lexi
