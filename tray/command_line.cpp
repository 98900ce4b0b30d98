#include "tray/command_line.h"

#include "platform/text.h"
#include "program/document_id.h"

#include <vector>

namespace lexi {

Mode ChooseMode(std::string_view commandLine) {
    const std::string lower = text::toLower(commandLine);
    if (lower == "mail") {
        return Mode::NewMail;
    }
    if (lower == "mailbcc") {
        return Mode::NewMailBcc;
    }
    if (lower == "mailreply") {
        return Mode::AnswerMail;
    }
    if (lower.starts_with("drev=")) {
        return Mode::ChangeLocalFolder;
    }
    if (lower == "setup") {
        return Mode::Settings;
    }
    if (lower == "stop") {
        return Mode::Stop;
    }
    return lower.empty() ? Mode::Monitor : Mode::Document;
}

std::optional<DocumentCommand> SplitDocumentCommand(std::string_view commandLine) {
    const std::vector<std::string_view> parts = text::split(commandLine, " ");
    DocumentCommand command;
    if (!IsEmptyId(parts.back())) {
        if (parts.size() < 2) {
            return std::nullopt;
        }
        command.DocumentID = parts.back();
        command.DDEKommando = parts[parts.size() - 2];
        const std::size_t cut = command.DDEKommando.size() + command.DocumentID.size() + 2;
        if (cut > commandLine.size()) {
            return std::nullopt;
        }
        command.Dokument = commandLine.substr(0, commandLine.size() - cut);
        return command;
    }

    command.DDEKommando = parts.back();
    if (commandLine.size() < 2) {
        return std::nullopt;
    }
    // Walk back from the second-to-last character to the space before the
    // verb; the document keeps that space.
    const std::size_t secondToLast = commandLine.size() - 2;
    if (commandLine[secondToLast] == ' ') {
        return command;
    }
    const std::size_t space = commandLine.rfind(' ', secondToLast);
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    command.Dokument = commandLine.substr(0, space + 1);
    return command;
}

} // namespace lexi
