#include "docprep/word_printing.h"
#include "platform/failure.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_word.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/fake/memory_registry.h"
#include "platform/posix/not_installed.h"
#include "platform/registry_settings.h"
#include "tests/support/log_lines.h"
#include "tests/support/recording_ui.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lexi {
namespace {

const std::string Source = "C:\\Sager\\12\\brev.docx";
const std::string Target = "C:\\Temp\\lexitray\\brev.pdf";

// The failure number `call` throws, 0 when it throws none.
template <typename Call> int failureOf(Call call) {
    try {
        call();
        return 0;
    } catch (const Failure& failure) {
        return failure.number();
    }
}

// One run's surroundings, Word attached; `script` is what the user does.
struct PrintRun {
    explicit PrintRun(std::string_view script = {}) : ui(script) {
        log.setFolder("C:\\");
        files.putFile(Source, "brev");
        printing.attach();
    }
    std::vector<std::string> lines() {
        return testing::logLineTexts(files.readFile("C:\\Lexitray_tester.log"));
    }
    long calls(const std::string& text) { return std::ranges::count(word.calls, text); }

    fake::MemoryRegistry registry;
    RegistrySettings settings{registry};
    fake::MemoryFileSystem files;
    fake::FakeProcesses processes;
    posix::NoShell shell;
    testing::RecordingUi ui;
    fake::ManualClock clock;
    posix::NoOutlook outlook;
    fake::FakeWord word{files};
    posix::NoWindows windows;
    Platform platform{registry, settings, files,   processes, shell,
                      ui,       clock,    outlook, word,      windows};
    RunLog log{files, processes, clock};
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
        run.lines(),
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
        EXPECT_EQ(failureOf([&] { run.printing.print(Source, Target); }), c.number) << c.call;
        EXPECT_EQ(run.calls(c.call), c.calls) << c.call;
        EXPECT_EQ(secondsBetween(start, run.clock.now()), c.seconds) << c.call;
        EXPECT_EQ(run.lines().back(), c.lastLine) << c.call;
    }
}

// The shell may have no way to print the file: its wait has a limit too.
TEST(WordPrinting, TheShellsWaitEndsAtItsOwnLimit) {
    PrintRun run;
    const LocalDateTime start = run.clock.now();
    EXPECT_EQ(failureOf([&] { run.printing.waitForShellOutput(Target); }),
              WordPrinting::TimeoutNumber);
    EXPECT_EQ(secondsBetween(start, run.clock.now()), 120);
}

TEST(WordPrinting, ACancelledPrintLeavesTheDocumentOpenReadOnly) {
    PrintRun run("makingpdf Annuller");
    ASSERT_EQ(run.printing.print(Source, Target), OutputWait::Cancelled);
    run.word.failures["open"] = 1;
    run.printing.openReadOnly(Source);
    EXPECT_EQ(run.calls("open " + Source + " readOnly"), 2);
    EXPECT_EQ(run.lines().back(), "Dokument åbnet " + Source + " Efter 2 forsøg");
    EXPECT_EQ(run.ui.takeEvents(), "makingpdf:shown makingpdf:unloaded");
}

} // namespace
} // namespace lexi
