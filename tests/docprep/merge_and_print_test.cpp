#include "docprep/merge_and_print.h"
#include "docprep/word_printing.h"
#include "platform/failure.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_word.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/fake/memory_registry.h"
#include "platform/posix/not_installed.h"
#include "platform/registry_settings.h"
#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "tests/support/log_lines.h"
#include "tests/support/recording_ui.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lexi {
namespace {

using Lines = std::vector<std::string>;

const std::string Office = "Kontor,winspool,Ne01:";
const std::string PdfWriter = "Lexitray PDF Writer,winspool,Ne00:";
const std::string Work = "C:\\Temp\\lexitray\\";

// A document of C:\Sager\ to the work folder, named `target`.
MergeDocument document(const std::string& source, const std::string& target, bool clean = false) {
    const auto ext = [](const std::string& path) {
        const std::size_t dot = path.rfind('.');
        return dot == std::string::npos ? std::string() : path.substr(dot + 1);
    };
    MergeDocument record;
    record.SourcePath = source.find(':') == std::string::npos ? "C:\\Sager\\" + source : source;
    record.SourceExt = ext(source);
    record.TargetPath = Work + target;
    record.TargetExt = ext(target);
    record.Clean = clean;
    return record;
}

// One run's surroundings: the office printer is the default, the PDF writer
// installed. The fake driver writes the PDF named by the job settings when a
// print reaches it (through Word or the shell) and keeps the settings and
// "Device" it found.
struct EngineRun {
    explicit EngineRun(std::string_view script = {}) : ui(script) {
        log.setFolder("C:\\");
        files.createFolder(preparing.workFolder);
        registry_.WriteRegistryValue(driver::DevicesKey, PdfWriterName, "winspool,Ne00:", false);
        registry_.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue, Office, false);
        word.onCall = [this](const std::string& call) {
            if (call.starts_with("printOut")) {
                driverPrints();
            }
        };
        shell.onExecute = [this](const fake::FakeShell::Request&) {
            if (shell.answer > 32) {
                driverPrints();
            }
        };
    }

    void driverPrints() {
        jobs.push_back(settings() + " Device=" + device());
        if (driverWrites) {
            files.putFile(read(PdfWriterSettingsKey, "OutputFile"), "%PDF-");
        }
    }
    std::string read(std::string_view key, std::string_view name) {
        return readRegistryText(registry_, key, name);
    }
    std::string device() { return read(driver::WindowsKey, driver::DeviceValue); }
    // The job settings as "name=value" in the driver's order of names.
    std::string settings() {
        std::string all;
        for (const std::string& name :
             registry.valueNames(RegistryRoot::CurrentUser, "Software\\Lexitray PDF Writer")) {
            all += (all.empty() ? "" : " ") + name + "=" + read(PdfWriterSettingsKey, name);
        }
        return all;
    }

    // Runs the engine; the failure it throws, if any.
    std::optional<Failure> merge(DocumentList list) {
        for (const MergeDocument& record : list) {
            if (record.SourcePath.starts_with("C:")) {
                files.putFile(record.SourcePath, record.SourceExt);
            }
        }
        try {
            MergeAndPrint(list, preparing);
            return std::nullopt;
        } catch (const Failure& failure) {
            return failure;
        }
    }
    Lines lines() { return testing::logLineTexts(files.readFile("C:\\Lexitray_tester.log")); }
    bool logged(const std::string& line) { return std::ranges::count(lines(), line) == 1; }
    // What the work folder holds, as "name=bytes" in the list's order.
    std::string made(const DocumentList& list) {
        std::string all;
        for (const MergeDocument& record : list) {
            if (files.exists(record.TargetPath)) {
                all += (all.empty() ? "" : " ") + record.TargetPath.substr(Work.size()) + "=" +
                       files.readFile(record.TargetPath);
            }
        }
        return all;
    }

    fake::MemoryRegistry registry;
    RegistrySettings settingsStore{registry};
    fake::MemoryFileSystem files;
    fake::FakeProcesses processes;
    fake::FakeShell shell;
    testing::RecordingUi ui;
    fake::ManualClock clock;
    posix::NoOutlook outlook;
    fake::FakeWord word{files};
    posix::NoWindows windows;
    Platform platform{registry, settingsStore, files,   processes, shell,
                      ui,       clock,         outlook, word,      windows};
    RunLog log{files, processes, clock};
    ProgramState program;
    DocPrepContext preparing{platform, log, program, "C:\\Temp\\lexitray", true};
    mdRegistry registry_{registry, ui};
    bool driverWrites = true;
    Lines jobs;
};

// After every run: the default printer, Word's printer and the job settings
// as before it.
void expectPutBack(EngineRun& run, const std::string& label) {
    EXPECT_EQ(run.device(), Office) << label;
    EXPECT_EQ(run.word.activePrinter, "Printer") << label;
    EXPECT_EQ(run.settings(), "") << label;
}

TEST(MergeAndPrint, EachDocumentIsCopiedPrintedOrLeftToTheCleaner) {
    struct Case {
        std::string label;
        DocumentList list;
        bool installed;
        std::string made;
        bool wordAttached;
        Lines calls; // Word's, then the shell's
    };
    const std::string brev = "C:\\Sager\\brev.docx";
    const Case cases[] = {
        {"a saved mail is copied, nothing switched",
         {document("svar.msg", "svar.msg")},
         true,
         "svar.msg=msg",
         false,
         {}},
        {"Word for a .docx kept as .docx, which is only copied",
         {document("brev.docx", "brev.docx")},
         true,
         "brev.docx=docx",
         true,
         {}},
        {"a .pdf to .pdf is copied",
         {document("dom.pdf", "dom.pdf")},
         true,
         "dom.pdf=pdf",
         false,
         {}},
        {"without the PDF writer a .docx is copied under its .pdf name",
         {document("brev.docx", "brev.pdf")},
         false,
         "brev.pdf=docx",
         true,
         {}},
        {"a .docx to .pdf is printed by Word",
         {document("brev.docx", "brev.pdf")},
         true,
         "brev.pdf=%PDF-",
         true,
         {"open " + brev, "printOut Lexitray PDF Writer", "saved", "close"}},
        {"an .xlsx to .pdf is printed by the shell",
         {document("tal.xlsx", "tal.pdf")},
         true,
         "tal.pdf=%PDF-",
         false,
         {"Print C:\\Sager\\tal.xlsx"}},
        {"a web address is passed over",
         {document("http://www.domstol.dk/dom.pdf", "dom.pdf"), document("bilag.pdf", "bilag.pdf")},
         true,
         "bilag.pdf=pdf",
         false,
         {}},
        {"a document to be cleaned is left to the cleaner",
         {document("brev.docx", "brev.docx", true)},
         true,
         "",
         true,
         {}},
    };
    for (const Case& c : cases) {
        EngineRun run;
        run.preparing.pdfWriterInstalled = c.installed;
        EXPECT_EQ(run.merge(c.list), std::nullopt) << c.label;
        EXPECT_EQ(run.made(c.list), c.made) << c.label;
        Lines calls = run.word.calls;
        for (const auto& request : run.shell.requests) {
            calls.push_back(request.verb + " " + request.file);
        }
        EXPECT_EQ(calls, c.calls) << c.label;
        EXPECT_EQ(run.logged("Wrdapp aktiveres--------------------"), c.wordAttached) << c.label;
        EXPECT_EQ(run.logged("Standardprinter er nu: " + PdfWriter), !c.calls.empty()) << c.label;
        EXPECT_EQ(run.lines().back(), "Slut på MergeAndPrint") << c.label;
        expectPutBack(run, c.label);
    }
}

// No PDF is locked with a password its recipient was not given: each job
// has its own settings, whatever the PDF before it had.
TEST(MergeAndPrint, EachPdfIsPrintedWithItsOwnSettingsOnThePdfWriter) {
    EngineRun run;
    DocumentList list = {document("brev.docx", "brev.pdf"), document("bilag.doc", "bilag.pdf"),
                         document("tal.xlsx", "tal.pdf")};
    list[0].PDFPassword = "hemmelig";
    list[0].UsePDFTemplate = true;
    list[0].PDFTemplate = "C:\\Skabeloner\\brevpapir.pdf";
    list[2].UsePDFTemplate = true;
    ASSERT_EQ(run.merge(list), std::nullopt);
    const std::string common = "BypassSaveAs=1 OutputFile=" + Work;
    EXPECT_EQ(run.jobs,
              (Lines{common +
                         "brev.pdf userPassword=hemmelig masterPassword=mnbvæuyt5678 "
                         "AddSecurity=1 AddBackground=1 "
                         "BackgroundFile=C:\\Skabeloner\\brevpapir.pdf Device=" +
                         PdfWriter,
                     common + "bilag.pdf AddSecurity=1 AddBackground=0 Device=" + PdfWriter,
                     common + "tal.pdf AddSecurity=1 AddBackground=0 Device=" + PdfWriter}));
}

TEST(MergeAndPrint, ACancelOrAFailureEndsTheRunWithEverythingPutBack) {
    struct Case {
        std::string label, script;
        bool driverWrites;
        int shellAnswer;
        std::string failure; // number and description, "" for none
        Lines messages;
    };
    const Case cases[] = {
        {"cancelled", "makingpdf Annuller", false, 42, "", {"Lexitray|64|Bruger anulleret"}},
        {"no PDF from Word", "", false, 42, "999 PDF-udskriften har timeout", {}},
        {"no print route for the .xlsx",
         "",
         true,
         31,
         "999 Dokumentet C:\\Sager\\tal.xlsx kan ikke udskrives til pdf (31)",
         {}},
    };
    for (const Case& c : cases) {
        EngineRun run(c.script);
        run.driverWrites = c.driverWrites;
        run.shell.answer = c.shellAnswer;
        const DocumentList list = {c.shellAnswer == 42 ? document("brev.docx", "brev.pdf")
                                                       : document("tal.xlsx", "tal.pdf"),
                                   document("svar.msg", "svar.msg")};
        const std::optional<Failure> failure = run.merge(list);
        EXPECT_EQ(run.made(list), "") << c.label << ": the rest is not made";
        EXPECT_EQ(run.ui.messages(), c.messages) << c.label;
        expectPutBack(run, c.label);
        if (c.failure.empty()) {
            EXPECT_EQ(failure, std::nullopt) << c.label;
            EXPECT_EQ(run.word.calls.back(), "open C:\\Sager\\brev.docx readOnly") << c.label;
            EXPECT_EQ(run.lines().back(), "Slut på MergeAndPrint") << c.label;
            continue;
        }
        ASSERT_TRUE(failure) << c.label;
        EXPECT_EQ(std::to_string(failure->number()) + " " + failure->description(), c.failure);
        EXPECT_EQ(failure->source(), "Fejl i MailAndMerge");
        const auto space = c.failure.find(' ');
        EXPECT_EQ(run.lines().back(), "Fejl i MailAndMerge log: " + c.failure.substr(space + 1) +
                                          " Fejlkode " + c.failure.substr(0, space));
    }
}

} // namespace
} // namespace lexi
