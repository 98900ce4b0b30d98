#include "program/document_id.h"
#include "tray/command_line.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

const std::string Id = "{0C4E4D5A-1B2C-4D3E-8F90-A1B2C3D4E5F6}";
const std::string NilId = "{00000000-0000-0000-0000-000000000000}";

struct ModeCase {
    std::string commandLine;
    Mode mode;
};

void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << "[" << c.commandLine << "]";
}

class ChooseModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ChooseModeTest, ComparesTheWholeLineWithoutCase) {
    EXPECT_EQ(ChooseMode(GetParam().commandLine), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ChooseModeTest,
    ::testing::Values(ModeCase{"mail", Mode::NewMail}, ModeCase{"Mail", Mode::NewMail},
                      ModeCase{"MAILBCC", Mode::NewMailBcc}, ModeCase{"mailbcc", Mode::NewMailBcc},
                      ModeCase{"mailbcc ", Mode::Document}, ModeCase{"mail x", Mode::Document},
                      ModeCase{" mail", Mode::Document}, ModeCase{"MailReply", Mode::AnswerMail},
                      ModeCase{"drev=D:\\Sager\\", Mode::ChangeLocalFolder},
                      ModeCase{"DREV=d:\\x\\", Mode::ChangeLocalFolder},
                      ModeCase{"drev=", Mode::ChangeLocalFolder}, ModeCase{"drev", Mode::Document},
                      ModeCase{"SETUP", Mode::Settings}, ModeCase{"stop", Mode::Stop},
                      ModeCase{"Stop ", Mode::Document}, ModeCase{"", Mode::Monitor},
                      ModeCase{" ", Mode::Document},
                      ModeCase{"C:\\Sager\\brev.docx open", Mode::Document}));

TEST(IsEmptyId, OnlyA38CharacterTextOtherThanTheNilIdentifierCounts) {
    EXPECT_FALSE(IsEmptyId(Id));
    EXPECT_FALSE(IsEmptyId(std::string(38, 'x')));
    EXPECT_TRUE(IsEmptyId(NilId));
    EXPECT_TRUE(IsEmptyId(""));
    EXPECT_TRUE(IsEmptyId(Id.substr(1)));
    EXPECT_TRUE(IsEmptyId(Id + " "));
}

struct SplitCase {
    std::string commandLine;
    std::string document;
    std::string verb;
    std::string id;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.commandLine;
}

class SplitDocumentCommandTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitDocumentCommandTest, SeparatesDocumentVerbAndId) {
    const auto command = SplitDocumentCommand(GetParam().commandLine);
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(command->Dokument, GetParam().document);
    EXPECT_EQ(command->DDEKommando, GetParam().verb);
    EXPECT_EQ(command->DocumentID, GetParam().id);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SplitDocumentCommandTest,
    ::testing::Values(SplitCase{"C:\\Sager\\brev.docx open", "C:\\Sager\\brev.docx ", "open", ""},
                      SplitCase{"C:\\a b\\c.docx print " + Id, "C:\\a b\\c.docx", "print", Id},
                      SplitCase{"C:\\a.docx open " + NilId, "C:\\a.docx open ", NilId, ""},
                      SplitCase{"C:\\a.docx x", "", "x", ""},
                      SplitCase{"C:\\Mine sager\\svar.MSG  open", "C:\\Mine sager\\svar.MSG  ",
                                "open", ""},
                      SplitCase{"x C:\\a.docx " + Id, "x", "C:\\a.docx", Id}));

TEST(SplitDocumentCommand, GivesNothingWhenNoVerbCanBeFound) {
    for (const std::string& line :
         {std::string("brev.docx"), std::string("x"), std::string("mailbcc "),
          std::string("C:\\Sager\\brev.docx "), std::string("C:\\a.docx ") + Id, Id}) {
        EXPECT_FALSE(SplitDocumentCommand(line).has_value()) << line;
    }
}

} // namespace
} // namespace lexi
