#include "platform/script/scripted_ui.h"

#include <gtest/gtest.h>

namespace lexi::script {
namespace {

struct Transcript {
    std::vector<Record> records;
    ScriptedUi::Transcript sink() {
        return [this](const Record& record) {
            records.push_back(record);
        };
    }
};

TEST(Record, OneLineWhateverTheText) {
    const Record record{"msgbox",
                        {{"title", "Lexitray"}, {"text", "a\r\nb\tc\\d\re æøå"}, {"empty", ""}}};
    const std::string line = record.toLine();
    EXPECT_EQ(line.find('\n'), std::string::npos);
    EXPECT_EQ(line.find('\r'), std::string::npos);
    const Record back = Record::fromLine(line);
    EXPECT_EQ(back.kind, "msgbox");
    EXPECT_EQ(back.fields, record.fields);
    EXPECT_EQ(back.field("text"), "a\r\nb\tc\\d\re æøå");
    EXPECT_EQ(back.field("missing"), "");
}

TEST(ScriptedUi, TakesAnswersInOrderAndDefaultsWhenTheyRunOut) {
    Transcript transcript;
    ScriptedUi ui("# answers\r\nmsgbox No\n\nmsgbox 2\nmsgbox cancel\n", transcript.sink());
    EXPECT_EQ(ui.messageBox("Gem?", msgbox::YesNo, "Lexitray"), msgbox::No);
    EXPECT_EQ(ui.messageBox("Fortsæt?", msgbox::OkCancel, "Lexitray"), msgbox::Cancel);
    EXPECT_EQ(ui.messageBox("Igen?", msgbox::YesNoCancel, "Lexitray"), msgbox::Cancel);
    EXPECT_EQ(ui.messageBox("Slet?", msgbox::YesNo | msgbox::DefaultButton2, "Lexitray"),
              msgbox::No);
    ASSERT_EQ(transcript.records.size(), 4U);
    EXPECT_EQ(transcript.records[0].toLine(),
              "msgbox\ttitle=Lexitray\tstyle=4\ttext=Gem?\tanswer=No");
    EXPECT_EQ(transcript.records[3].field("style"), "260");
    EXPECT_EQ(transcript.records[3].field("answer"), "No");
}

TEST(ScriptedUi, AnAnswerForAnotherWindowIsKeptForIt) {
    Transcript transcript;
    ScriptedUi ui("mail send\nmsgbox No\n", transcript.sink());
    EXPECT_EQ(ui.messageBox("?", msgbox::YesNo, "t"), msgbox::Yes);
}

TEST(ScriptedUi, AnUnknownAnswerTakesTheDefault) {
    Transcript transcript;
    ScriptedUi ui("msgbox Maybe\nmsgbox 99\n", transcript.sink());
    EXPECT_EQ(ui.messageBox("?", msgbox::OkCancel, "t"), msgbox::Ok);
    EXPECT_EQ(ui.messageBox("?", msgbox::YesNo, "t"), msgbox::Yes);
}

} // namespace
} // namespace lexi::script
