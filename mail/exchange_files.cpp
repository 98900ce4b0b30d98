#include "mail/exchange_files.h"

#include "platform/cp1252.h"
#include "platform/failure.h"
#include "platform/text.h"

namespace lexi::exchange {

std::string decode(std::string_view bytes) {
    return cp1252::toUtf8(bytes);
}

std::string encode(std::string_view text) {
    return cp1252::fromUtf8(text);
}

MailRequest parseRecipients(std::string_view text) {
    constexpr std::string_view SubjectPrefix = "[subject]=";
    MailRequest request;
    for (std::string& line : text::readLines(text)) {
        if (line.empty()) {
            continue;
        }
        if (line.size() >= SubjectPrefix.size() &&
            text::equalsIgnoreCase(std::string_view(line).substr(0, SubjectPrefix.size()),
                                   SubjectPrefix)) {
            request.subjects.push_back(line.substr(SubjectPrefix.size()));
        } else {
            request.recipients.push_back(std::move(line));
        }
    }
    return request;
}

std::vector<std::string> splitCaseData(std::string_view content) {
    const std::vector<std::string_view> parts = text::split(content, "\r\n");
    return {parts.begin(), parts.end()};
}

CaseTarget caseTarget(std::string_view text) {
    std::vector<std::string> lines = splitCaseData(text);
    if (lines.size() < 7) {
        throw Failure(failure::SubscriptOutOfRange, "GemPaaSag");
    }
    CaseTarget target;
    target.documentId = lines[6];
    if (!target.documentId.empty()) {
        target.savePath = lines[3];
        return target;
    }
    for (int i = 0; i < 3; ++i) {
        if (!lines[i].ends_with('\\')) {
            lines[i] += '\\';
        }
    }
    target.caseFolder = lines[0] + lines[1] + lines[2];
    target.savePath = target.caseFolder + lines[3] + ".msg";
    return target;
}

std::string callbackFileName(std::string_view documentId) {
    return "Mail_" + std::string(documentId) + ".txt";
}

} // namespace lexi::exchange
