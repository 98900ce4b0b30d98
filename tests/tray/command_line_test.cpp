#include "program/document_id.h"
#include "tray/command_line.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

const std::string Id = "{0C4E4D5A-1B2C-4D3E-8F90-A1B2C3D4E5F6}";
const std::string NilId = "{00000000-0000-0000-0000-000000000000}";

TEST(ChooseMode, ComparesTheWholeLineWithoutCase) {
    const std::pair<Mode, std::vector<std::string>> cases[] = {
        {Mode::NewMail, {"mail", "Mail"}},
        {Mode::NewMailBcc, {"MAILBCC", "mailbcc"}},
        {Mode::AnswerMail, {"MailReply"}},
        {Mode::ChangeLocalFolder, {"drev=D:\\Sager\\", "DREV=d:\\x\\", "drev="}},
        {Mode::Settings, {"SETUP"}},
        {Mode::Stop, {"stop"}},
        {Mode::Monitor, {""}},
        {Mode::Document, {"mailbcc ", "mail x", " mail", "drev", "Stop ", " ", "C:\\a.docx open"}},
    };
    for (const auto& [mode, commandLines] : cases) {
        for (const std::string& commandLine : commandLines) {
            EXPECT_EQ(ChooseMode(commandLine), mode) << "[" << commandLine << "]";
        }
    }
}

TEST(SplitDocumentCommand, SeparatesDocumentVerbAndIdOrGivesNothingWithoutAVerb) {
    // An identifier is a 38-character text other than the nil identifier.
    EXPECT_FALSE(IsEmptyId(Id) || IsEmptyId(std::string(38, 'x')));
    for (const std::string& empty : {NilId, std::string(), Id.substr(1), Id + " "}) {
        EXPECT_TRUE(IsEmptyId(empty)) << empty;
    }
    // The command line, then document|verb|id.
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Sager\\brev.docx open", "C:\\Sager\\brev.docx |open|"},
        {"C:\\a b\\c.docx print " + Id, "C:\\a b\\c.docx|print|" + Id},
        {"C:\\a.docx open " + NilId, "C:\\a.docx open |" + NilId + "|"},
        {"C:\\a.docx x", "|x|"},
        {"C:\\Mine sager\\svar.MSG  open", "C:\\Mine sager\\svar.MSG  |open|"},
        {"x C:\\a.docx " + Id, "x|C:\\a.docx|" + Id},
    };
    for (const auto& [commandLine, expected] : cases) {
        const auto command = SplitDocumentCommand(commandLine).value();
        EXPECT_EQ(command.Dokument + "|" + command.DDEKommando + "|" + command.DocumentID,
                  expected);
    }
    const std::string noVerb[] = {"brev.docx",        "x", "mailbcc ", "C:\\a.docx ",
                                  "C:\\a.docx " + Id, Id};
    for (const std::string& commandLine : noVerb) {
        EXPECT_FALSE(SplitDocumentCommand(commandLine)) << commandLine;
    }
}

} // namespace
} // namespace lexi
