// Word through automation, against the test double of Word.Application:
// which members are called with which arguments, and what comes back.

#include "platform/win32/word_automation.h"
#include "tests/windows/fake_servers/fake_word.h"

#include <gtest/gtest.h>

namespace lexi::win32 {
namespace {

using Calls = std::vector<std::string>;

struct Word {
    Word() {
        state->files["C:\\Sager\\12\\brev.doc"] = {};
        state->files["C:\\Sager\\12\\ny.docx"].saveFormat = 12;
        fakecom::FakeWordFile& merge = state->files["C:\\Sager\\12\\flet.doc"];
        merge.mainDocumentType = 0;
        merge.dataSource = "C:\\Sager\\12\\adresser.xls";
        state->files["C:\\Sager\\12\\låst.doc"].opens = false;
    }
    std::shared_ptr<fakecom::FakeWord> state = std::make_shared<fakecom::FakeWord>();
    std::unique_ptr<WordApplication> application = wordOf(fakecom::newFakeWord(state).object());
};

TEST(AutomationWord, PrintsADocumentAsTheMergeEngineDoes) {
    Word word;
    EXPECT_EQ(word.application->activePrinter(), "HP LaserJet on Ne00:");
    word.application->setActivePrinter("Lexitray PDF Writer");
    const auto document = word.application->open("C:\\Sager\\12\\brev.doc", false, false, false);
    ASSERT_TRUE(document);
    document->printOut(false);
    document->setSaved(true);
    document->close(false);
    EXPECT_EQ(word.application->activePrinter(), "Lexitray PDF Writer");
    EXPECT_EQ(word.state->calls, (Calls{"ActivePrinter=Lexitray PDF Writer",
                                        "Open C:\\Sager\\12\\brev.doc False False False",
                                        "PrintOut False", "Saved=True", "Close False"}));
}

TEST(AutomationWord, SavesACleanedDocumentInItsOwnFormat) {
    const struct {
        const char* file;
        const char* saved;
    } cases[] = {
        {"C:\\Sager\\12\\brev.doc", "SaveAs C:\\Sager\\12\\brev.doc_ 0"},
        {"C:\\Sager\\12\\ny.docx", "SaveAs C:\\Sager\\12\\ny.docx_ 12"},
    };
    for (const auto& c : cases) {
        Word word;
        word.application->setVisible(false);
        const auto document = word.application->open(c.file, false, false, true);
        document->setReadOnlyRecommended(false);
        document->saveAs(std::string(c.file) + "_");
        EXPECT_EQ(word.state->calls,
                  (Calls{"Visible=False", std::string("Open ") + c.file + " False False True",
                         "ReadOnlyRecommended=False", c.saved}))
            << c.file;
    }
}

TEST(AutomationWord, FindsTheDataSourceOfAMergeMainDocumentOnly) {
    Word word;
    EXPECT_EQ(word.application->open("C:\\Sager\\12\\flet.doc", false, false, true)
                  ->mailMergeDataSource(),
              "C:\\Sager\\12\\adresser.xls");
    EXPECT_EQ(word.application->open("C:\\Sager\\12\\brev.doc", false, false, true)
                  ->mailMergeDataSource(),
              "");
    word.application->quit();
    EXPECT_EQ(word.state->calls.back(), "Quit");
}

TEST(AutomationWord, AnOpenWithoutDocumentIsNoneAndAMissingFileFails) {
    Word word;
    EXPECT_FALSE(word.application->open("C:\\Sager\\12\\låst.doc", false, true, false));
    EXPECT_EQ(word.state->calls.back(), "Open C:\\Sager\\12\\låst.doc False True False");
    try {
        word.application->open("C:\\Sager\\12\\væk.doc", false, false, false);
        ADD_FAILURE() << "opened a missing file";
    } catch (const Failure& failed) {
        EXPECT_EQ(failed.number(), failure::AutomationError);
        EXPECT_EQ(failed.description(), "The file could not be found.");
    }
}

} // namespace
} // namespace lexi::win32
