#include "program/document_id.h"
#include "tray/command_line.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

const std::string Id = "{0C4E4D5A-1B2C-4D3E-8F90-A1B2C3D4E5F6}";
const std::string NilId = "{00000000-0000-0000-0000-000000000000}";

TEST(ChooseMode, ComparesTheWholeLineWithoutCase) {
    const std::pair<std::string, Mode> cases[] = {
        {"mail", Mode::NewMail},
        {"Mail", Mode::NewMail},
        {"MAILBCC", Mode::NewMailBcc},
        {"mailbcc", Mode::NewMailBcc},
        {"mailbcc ", Mode::Document},
        {"mail x", Mode::Document},
        {" mail", Mode::Document},
        {"MailReply", Mode::AnswerMail},
        {"drev=D:\\Sager\\", Mode::ChangeLocalFolder},
        {"DREV=d:\\x\\", Mode::ChangeLocalFolder},
        {"drev=", Mode::ChangeLocalFolder},
        {"drev", Mode::Document},
        {"SETUP", Mode::Settings},
        {"stop", Mode::Stop},
        {"Stop ", Mode::Document},
        {"", Mode::Monitor},
        {" ", Mode::Document},
        {"C:\\Sager\\brev.docx open", Mode::Document},
    };
    for (const auto& [commandLine, mode] : cases) {
        EXPECT_EQ(ChooseMode(commandLine), mode) << "[" << commandLine << "]";
    }
}

TEST(IsEmptyId, OnlyA38CharacterTextOtherThanTheNilIdentifierCounts) {
    EXPECT_FALSE(IsEmptyId(Id));
    EXPECT_FALSE(IsEmptyId(std::string(38, 'x')));
    for (const std::string& empty : {NilId, std::string(), Id.substr(1), Id + " "}) {
        EXPECT_TRUE(IsEmptyId(empty)) << empty;
    }
}

TEST(SplitDocumentCommand, SeparatesDocumentVerbAndIdOrGivesNothingWithoutAVerb) {
    // The command line, then document|verb|id, or "none".
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Sager\\brev.docx open", "C:\\Sager\\brev.docx |open|"},
        {"C:\\a b\\c.docx print " + Id, "C:\\a b\\c.docx|print|" + Id},
        {"C:\\a.docx open " + NilId, "C:\\a.docx open |" + NilId + "|"},
        {"C:\\a.docx x", "|x|"},
        {"C:\\Mine sager\\svar.MSG  open", "C:\\Mine sager\\svar.MSG  |open|"},
        {"x C:\\a.docx " + Id, "x|C:\\a.docx|" + Id},
        {"brev.docx", "none"},
        {"x", "none"},
        {"mailbcc ", "none"},
        {"C:\\Sager\\brev.docx ", "none"},
        {"C:\\a.docx " + Id, "none"},
        {Id, "none"},
    };
    for (const auto& [commandLine, expected] : cases) {
        const auto command = SplitDocumentCommand(commandLine);
        EXPECT_EQ(command
                      ? command->Dokument + "|" + command->DDEKommando + "|" + command->DocumentID
                      : "none",
                  expected)
            << commandLine;
    }
}

} // namespace
} // namespace lexi
