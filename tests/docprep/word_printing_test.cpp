#include "docprep/word_printing.h"
#include "platform/failure.h"
#include "tests/docprep/fake_workstation.h"
#include "tests/support/failure_number.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lexi {
namespace {

const std::string Source = "C:\\Sager\\12\\brev.docx";
const std::string Target = "C:\\Temp\\lexitray\\brev.pdf";

// One run's surroundings, Word attached; `script` is what the user does.
struct PrintRun : testing::FakeWorkstation {
    explicit PrintRun(std::string_view script = {}) : FakeWorkstation(script) {
        files.putFile(Source, "brev");
        printing.attach();
    }
    long calls(const std::string& text) { return std::ranges::count(word.calls, text); }

    WordPrinting printing{platform, log};
};

TEST(WordPrinting, RetriesTheOpenAndLogsEveryStepOfAPrintWhosePdfIsThereAtOnce) {
    PrintRun run;
    run.word.failures["open"] = 2;
    run.word.onCall = [&](const std::string& call) {
        if (call.starts_with("printOut")) {
            run.files.putFile(Target, "%PDF-");
        }
    };
    EXPECT_EQ(run.printing.print(Source, Target), OutputWait::Present);
    const std::string open = "Prøver at åbne dokument " + Source + " forsøg ";
    EXPECT_EQ(
        run.logLines(),
        (std::vector<std::string>{
            "Wrdapp aktiveres--------------------", "Starter åbning af dokument", open + "1",
            open + "2", open + "3", "Dokument åbnet " + Source + " Efter 3 forsøg",
            "Afslutter åbning af dokument", "Starter udskrivning af dokument",
            "Prøver at udskrive dokument " + Source + " forsøg 1",
            "Dokument udskrevet " + Source + " Efter 1 forsøg", "Afslutter udskrivning af dokument",
            "Starter lukning af dokument", "Prøver at lukke dokument " + Source + " forsøg 1",
            "Dokument lukket " + Source + " Efter 1 forsøg", "Afslutter lukning af dokument",
            "Starter PDF udskrivning", "Udskrift af pdf 0 sek.", "Afslutter PDF udskrivning"}));
    EXPECT_EQ(run.ui.takeEvents(), "");
}

// Each Word call takes five seconds, so the wait's limit counts from the
// end of the close step.
TEST(WordPrinting, StepsThatNeverSucceedEndAsTheirLastAttemptOrTheWaitDoes) {
    struct Case {
        std::string member, call;
        int failures, calls, number, seconds;
        std::string lastLine;
    };
    const Case cases[] = {
        {"open", "open " + Source, 11, 11, failure::AutomationError, 55,
         "Prøver at åbne dokument " + Source + " forsøg 10"},
        {"printOut", "printOut Printer", 10, 10, WordPrinting::TimeoutNumber, 65 + 20,
         "Starter PDF udskrivning"},
        {"close", "close", 10, 11, 0, 115, "Afslutter PDF udskrivning"},
        {"close", "close", 11, 11, failure::AutomationError, 115,
         "Prøver at lukke dokument " + Source + " forsøg 10"},
    };
    for (const Case& c : cases) {
        PrintRun run;
        run.word.failures[c.member] = c.failures;
        run.word.onCall = [&](const std::string&) {
            run.clock.advanceSeconds(5);
        };
        if (c.member != "printOut") {
            run.files.putFile(Target, "%PDF-");
        }
        const LocalDateTime start = run.clock.now();
        EXPECT_EQ(testing::failureNumber([&] { run.printing.print(Source, Target); }), c.number)
            << c.call;
        EXPECT_EQ(run.calls(c.call), c.calls) << c.call;
        EXPECT_EQ(secondsBetween(start, run.clock.now()), c.seconds) << c.call;
        EXPECT_EQ(run.logLines().back(), c.lastLine) << c.call;
    }
}

// The shell may have no way to print the file: its wait has a limit too.
TEST(WordPrinting, TheShellsWaitEndsAtItsOwnLimit) {
    PrintRun run;
    const LocalDateTime start = run.clock.now();
    EXPECT_EQ(testing::failureNumber([&] { run.printing.waitForShellOutput(Target); }),
              WordPrinting::TimeoutNumber);
    EXPECT_EQ(secondsBetween(start, run.clock.now()), 120);
}

TEST(WordPrinting, ACancelledPrintLeavesTheDocumentOpenReadOnly) {
    PrintRun run("makingpdf Annuller");
    ASSERT_EQ(run.printing.print(Source, Target), OutputWait::Cancelled);
    run.word.failures["open"] = 1;
    run.printing.openReadOnly(Source);
    EXPECT_EQ(run.calls("open " + Source + " readOnly"), 2);
    EXPECT_EQ(run.logLines().back(), "Dokument åbnet " + Source + " Efter 2 forsøg");
    EXPECT_EQ(run.ui.takeEvents(), "makingpdf:shown makingpdf:unloaded");
}

} // namespace
} // namespace lexi
