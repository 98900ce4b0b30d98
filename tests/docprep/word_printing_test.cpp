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

// One run's surroundings; `script` is what the user does.
struct PrintRun {
    explicit PrintRun(std::string_view script = {}) : ui(script) {
        log.setFolder("C:\\");
        files.putFile(Source, "brev");
    }
    std::vector<std::string> lines() {
        return testing::logLineTexts(files.readFile("C:\\Lexitray_tester.log"));
    }
    int calls(const std::string& text) const {
        return static_cast<int>(std::count(word.calls.begin(), word.calls.end(), text));
    }
    // The failure number `call` throws, 0 when it throws none.
    template <typename Call> int failureOf(Call call) {
        try {
            call();
            return 0;
        } catch (const Failure& failure) {
            return failure.number();
        }
    }

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
    run.printing.attach();
    EXPECT_EQ(run.printing.print(Source, Target), OutputWait::Present);
    const std::string attempt = "Prøver at åbne dokument " + Source + " forsøg ";
    EXPECT_EQ(
        run.lines(),
        (std::vector<std::string>{
            "Wrdapp aktiveres--------------------", "Starter åbning af dokument", attempt + "1",
            attempt + "2", attempt + "3", "Dokument åbnet " + Source + " Efter 3 forsøg",
            "Afslutter åbning af dokument", "Starter udskrivning af dokument",
            "Prøver at udskrive dokument " + Source + " forsøg 1",
            "Dokument udskrevet " + Source + " Efter 1 forsøg", "Afslutter udskrivning af dokument",
            "Starter lukning af dokument", "Prøver at lukke dokument " + Source + " forsøg 1",
            "Dokument lukket " + Source + " Efter 1 forsøg", "Afslutter lukning af dokument",
            "Starter PDF udskrivning", "Udskrift af pdf 0 sek.", "Afslutter PDF udskrivning"}));
    EXPECT_EQ(run.word.calls.back(), "close");
    EXPECT_EQ(run.calls("printOut Printer"), 1);
    EXPECT_EQ(run.ui.takeEvents(), "");
}

TEST(WordPrinting, StepsThatNeverSucceedEndAsTheirLastAttemptOrTheWaitDoes) {
    struct Case {
        const char* member;
        int failures;
        std::string call;
        int calls;
        bool pdf;
        int number; // what the print throws
        std::string lastLine;
    };
    const Case cases[] = {
        {"open", 11, "open " + Source, 11, true, failure::AutomationError,
         "Prøver at åbne dokument " + Source + " forsøg 10"},
        {"printOut", 10, "printOut Printer", 10, false, WordPrinting::TimeoutNumber,
         "Starter PDF udskrivning"},
        {"close", 10, "close", 11, true, 0, "Afslutter PDF udskrivning"},
        {"close", 11, "close", 11, true, failure::AutomationError,
         "Prøver at lukke dokument " + Source + " forsøg 10"},
    };
    for (const Case& c : cases) {
        PrintRun run;
        run.word.failures[c.member] = c.failures;
        if (c.pdf) {
            run.files.putFile(Target, "%PDF-");
        }
        run.printing.attach();
        EXPECT_EQ(run.failureOf([&] { run.printing.print(Source, Target); }), c.number) << c.call;
        EXPECT_EQ(run.calls(c.call), c.calls) << c.call;
        EXPECT_EQ(run.lines().back(), c.lastLine) << c.call;
    }
}

TEST(WordPrinting, TheWaitForWordsPdfEndsTwentySecondsAfterTheCloseStep) {
    PrintRun run;
    // Each Word call takes five seconds: open, print, saved, close.
    run.word.onCall = [&](const std::string&) {
        run.clock.advanceSeconds(5);
    };
    const LocalDateTime start = run.clock.now();
    run.printing.attach();
    EXPECT_EQ(run.failureOf([&] { run.printing.print(Source, Target); }),
              WordPrinting::TimeoutNumber);
    EXPECT_EQ(secondsBetween(start, run.clock.now()), 20 + 20);
    EXPECT_EQ(run.ui.takeEvents(), "makingpdf:shown makingpdf:unloaded");
}

TEST(WordPrinting, TheShellsWaitEndsWithTheFileTheCancelOrItsOwnLimit) {
    struct Case {
        const char* script;
        bool fileThere;
        int number;
        std::int64_t seconds;
    };
    for (const Case& c : {Case{"", true, 0, 0}, Case{"makingpdf Annuller", false, 0, 0},
                          Case{"", false, WordPrinting::TimeoutNumber, 120}}) {
        PrintRun run(c.script);
        if (c.fileThere) {
            run.files.putFile(Target, "%PDF-");
        }
        const LocalDateTime start = run.clock.now();
        OutputWait ended{};
        EXPECT_EQ(run.failureOf([&] { ended = run.printing.waitForShellOutput(Target); }),
                  c.number);
        if (c.number == 0) {
            EXPECT_EQ(ended, c.fileThere ? OutputWait::Present : OutputWait::Cancelled);
        }
        EXPECT_EQ(secondsBetween(start, run.clock.now()), c.seconds) << c.script;
        EXPECT_FALSE(run.files.exists("C:\\Lexitray_tester.log"));
    }
}

TEST(WordPrinting, ACancelledPrintLeavesTheDocumentOpenReadOnlyWhenWordOpensIt) {
    for (const int failures : {0, 10}) {
        PrintRun run("makingpdf Annuller");
        run.printing.attach();
        ASSERT_EQ(run.printing.print(Source, Target), OutputWait::Cancelled);
        run.word.failures["open"] = failures;
        run.printing.openReadOnly(Source);
        EXPECT_EQ(run.calls("open " + Source + " readOnly"), failures ? 10 : 1);
        EXPECT_EQ(run.lines().back(), failures ? "Prøver at åbne dokument " + Source + " forsøg 10"
                                               : "Dokument åbnet " + Source + " Efter 1 forsøg");
    }
}

} // namespace
} // namespace lexi
