#include "docprep/cleanable_formats.h"
#include "docprep/cleaning_rule.h"
#include "docprep/rens_dokument.h"
#include "tests/docprep/fake_workstation.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

const std::string Source = "C:\\Sager\\12\\brev.doc";
const std::string Clean = "C:\\Temp\\lexitray\\brev.doc";
const std::string Waiting = "Lexitray|64|Vent et øjeblik på at rensningen færdiggøres...\r\n\r\n"
                            "Når wordvinduet lukker, kan du fortsætte...";

class RensDokumentTest : public ::testing::Test, public testing::FakeWorkstation {};

TEST_F(RensDokumentTest, RunsTheToolWaitsForItAndSavesItsResultAgainThroughWord) {
    // The tool writes the cleaned file while it is waited for: without the
    // wait, Word would not find it.
    processes.waitForExit = [&](std::chrono::milliseconds limit) {
        files.putFile(Clean, "cleaned");
        return limit.count() > 0;
    };
    EXPECT_EQ(RensDokument(platform, log, Source, Clean), Clean);

    const std::string commandLine =
        "\"C:\\Program Files\\Microsoft Office\\Remove Hidden Data Tool\\offrhd.exe\" "
        "\"C:\\Sager\\12\\brev.doc\" \"C:\\Temp\\lexitray\\brev.doc\"  /o /n:a /l: "
        "\"h:\\rhdlog.txt\" /m";
    EXPECT_EQ(processes.started, (decltype(processes.started){{commandLine, ShowMode::Hidden}}));
    EXPECT_EQ(logLines(),
              (std::vector<std::string>{"OprindeligtNavn: " + Source, "Nyt navn: " + Clean,
                                        "RENS-cmdstr er :  " + commandLine,
                                        "Navn på renset dokument:  " + Clean}));
    EXPECT_EQ(ui.messages(), std::vector<std::string>{Waiting});
    EXPECT_EQ(word.calls,
              (std::vector<std::string>{"invisible", "open " + Clean, "notReadOnlyRecommended",
                                        "saveAs " + Clean + "_", "close"}));
    EXPECT_EQ(files.readFile(Clean) + "|" + files.readFile(Clean + "_"), "cleaned|cleaned");
}

TEST_F(RensDokumentTest, ATooSlowToolThatWritesNothingEndsInBothErrorTexts) {
    processes.waitForExit = [](auto) {
        return false;
    };
    EXPECT_EQ(RensDokument(platform, log, Source, Clean), "");
    EXPECT_EQ(logLines().back(), "Der opstod følgende fejl: File not found");
    EXPECT_EQ(ui.messages(),
              (std::vector<std::string>{
                  Waiting, "Lexitray|0|Der opstod følgende fejl i RensDokument: File not found"}));
}

// Word cannot save a PDF or a workbook as what it is: the tool's copy is the
// result, and without one there is none.
TEST_F(RensDokumentTest, AKindWordCannotSaveIsTheToolsCopyWithoutWord) {
    const std::string pdf = "C:\\Temp\\lexitray\\dom.pdf";
    processes.waitForExit = [&](auto) {
        files.putFile(pdf, "%PDF-renset");
        return true;
    };
    EXPECT_EQ(RensDokument(platform, log, "C:\\Sager\\12\\dom.pdf", pdf), pdf);
    EXPECT_EQ(files.readFile(pdf), "%PDF-renset");
    EXPECT_FALSE(files.exists(pdf + "_"));

    processes.waitForExit = [](auto) {
        return true;
    };
    EXPECT_EQ(
        RensDokument(platform, log, "C:\\Sager\\12\\tal.xlsx", "C:\\Temp\\lexitray\\tal.xlsx"), "");
    EXPECT_EQ(logLines().back(), "Der opstod følgende fejl: File not found");
    EXPECT_EQ(word.calls, std::vector<std::string>{});
}

TEST(CleaningChoice, CleansTheCleanersKindsIntoTheirOwnKindOnly) {
    const std::tuple<const char*, const char*, bool, CleaningChoice> cases[] = {
        {"odp", "odp", false, CleaningChoice::Clean},
        {"pdf", "pdf", true, CleaningChoice::Clean},
        {"docx", "doc", true, CleaningChoice::Refuse},
        {"rtf", "rtf", true, CleaningChoice::Refuse},
        {"docx", "pdf", true, CleaningChoice::Print},
        {"docx", "pdf", false, CleaningChoice::Refuse},
    };
    for (const auto& [source, target, pdfWriter, choice] : cases) {
        EXPECT_EQ(cleaningChoice(source, target, pdfWriter), choice) << source << " to " << target;
    }
    EXPECT_EQ(cleanableExtensionsText(),
              "doc, docx, docm, odt, ods, odp, xlsx, xlsm, pptx, pptm og pdf");
}

} // namespace
} // namespace lexi
