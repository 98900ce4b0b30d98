#include "docprep/merge_and_print.h"
#include "docprep/word_printing.h"
#include "platform/failure.h"
#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "shared/pdfwriter/pdf_writer_turn.h"
#include "tests/docprep/fake_workstation.h"

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
// print reaches it (through Word or the shell), or, when it does not, later,
// after a cancel; `events` tells what Word, the
// shell and the driver were asked, with the settings and "Device" the driver
// found.
struct EngineRun : testing::FakeWorkstation {
    explicit EngineRun(std::string_view script = {}) : FakeWorkstation(script) {
        files.createFolder(preparing.workFolder);
        registry_.WriteRegistryValue(driver::DevicesKey, PdfWriterName, "winspool,Ne00:", false);
        registry_.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue, Office, false);
        word.onCall = [this](const std::string& call) {
            call.starts_with("printOut ") ? driverPrints() : void(events += " " + call);
            // A cancelled job the driver finishes while the document is
            // opened again for the user.
            if (call.ends_with("readOnly") && !driverWrites) {
                files.putFile(read(PdfWriterSettingsKey, "OutputFile"), "%PDF-");
            }
        };
        // The document launcher of the program's frame, as far as printing goes.
        program.StartProgram = [this](std::string_view file, std::string_view verb) {
            return shell.execute(verb, file, "", "", ShowMode::Hidden);
        };
        shell.onExecute = [this](const fake::FakeShell::Request& request) {
            events += " " + request.verb + " " + request.file;
            if (shell.answer > 32) {
                driverPrints();
            }
        };
    }

    void driverPrints() {
        events += " job " + jobSettings() + (device() == PdfWriter ? "" : " on " + device());
        if (driverWrites) {
            files.putFile(read(PdfWriterSettingsKey, "OutputFile"), "%PDF-");
        }
    }
    std::string read(std::string_view key, std::string_view name) {
        return readRegistryText(registry_, key, name);
    }
    std::string device() { return read(driver::WindowsKey, driver::DeviceValue); }
    std::string jobSettings() {
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
    std::string lastLine() { return logLines().back(); }
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
    // The default printer, Word's and the job settings: as before the run.
    bool putBack() {
        return device() == Office && word.activePrinter == "Printer" && jobSettings().empty();
    }

    ProgramState program;
    DocPrepContext preparing{platform, log, program, "C:\\Temp\\lexitray", true};
    mdRegistry registry_{registry, ui};
    bool driverWrites = true;
    std::string events;
};

// Every run ends with the default printer, Word's printer and the job
// settings as before it. No PDF is locked with a password its recipient was
// not given: each job has settings of its own. `trace` is what Word, the
// shell and the driver were asked, the log's last line, and the failure.
TEST(MergeAndPrint, EachDocumentIsCopiedPrintedOrLeftAloneAndEverythingIsPutBack) {
    struct Case {
        std::string label;
        DocumentList list;
        std::string made, trace, script = {};
        int shellAnswer = 42;
    };
    MergeDocument locked = document("brev.docx", "brev.pdf");
    locked.PDFPassword = "hemmelig";
    locked.UsePDFTemplate = true;
    locked.PDFTemplate = "C:\\Skabeloner\\brevpapir.pdf";
    const std::string job = " job BypassSaveAs=1 OutputFile=" + Work;
    const std::string end = " | Slut på MergeAndPrint";
    const Case cases[] = {
        {"kept kinds and a saved mail copied, nothing switched, a web address passed over",
         {document("svar.msg", "svar.msg"), document("brev.docx", "brev.docx"),
          document("http://www.ret.dk/a.pdf", "a.pdf"), document("dom.pdf", "dom.pdf")},
         "svar.msg=msg brev.docx=docx dom.pdf=pdf",
         end},
        {"a document to clean is left to the cleaner, a saved mail refused by it is not attached",
         {document("brev.doc", "brev.doc", true), document("svar.msg", "svar.msg", true)},
         "",
         end},
        {"two PDFs, by Word and by the shell",
         {locked, document("tal.xlsx", "tal.pdf")},
         "brev.pdf=%PDF- tal.pdf=%PDF-",
         " open C:\\Sager\\brev.docx" + job +
             "brev.pdf userPassword=hemmelig masterPassword=mnbvæuyt5678 AddSecurity=1 "
             "AddBackground=1 BackgroundFile=C:\\Skabeloner\\brevpapir.pdf saved close Print "
             "C:\\Sager\\tal.xlsx" +
             job + "tal.pdf AddSecurity=1 AddBackground=0" + end},
        {"cancelled: the rest is not made, the job's late PDF removed",
         {document("brev.doc", "brev.pdf"), document("a.pdf", "a.pdf")},
         "",
         " open C:\\Sager\\brev.doc" + job +
             "brev.pdf AddSecurity=1 AddBackground=0 saved close open C:\\Sager\\brev.doc "
             "readOnly" +
             end,
         "makingpdf Annuller"},
        {"no print route",
         {document("tal.xlsx", "tal.pdf")},
         "",
         " Print C:\\Sager\\tal.xlsx | Fejl i MailAndMerge log: Dokumentet C:\\Sager\\tal.xlsx kan "
         "ikke udskrives til pdf (31) Fejlkode 999 | Fejl i MailAndMerge",
         "",
         31},
    };
    for (const Case& c : cases) {
        EngineRun run(c.script);
        run.shell.answer = c.shellAnswer;
        run.driverWrites = c.script.empty();
        const std::optional<Failure> failure = run.merge(c.list);
        EXPECT_EQ(run.made(c.list), c.made) << c.label;
        EXPECT_EQ(run.events + " | " + run.lastLine() + (failure ? " | " + failure->source() : ""),
                  c.trace)
            << c.label;
        EXPECT_EQ(run.ui.messages(),
                  c.script.empty() ? Lines{} : Lines{"Lexitray|64|Bruger anulleret"});
        EXPECT_TRUE(run.putBack()) << c.label;
    }
}

// Without the PDF writer a document is copied under its PDF name; a PDF
// that never comes ends the run.
TEST(MergeAndPrint, APdfWithoutThePdfWriterIsACopyAndOneThatNeverComesAFailure) {
    EngineRun run;
    run.preparing.pdfWriterInstalled = false;
    EXPECT_EQ(run.merge({document("brev.docx", "brev.pdf")}), std::nullopt);
    EXPECT_EQ(run.made({document("brev.docx", "brev.pdf")}), "brev.pdf=docx");
    run.preparing.pdfWriterInstalled = true;
    run.driverWrites = false;
    EXPECT_EQ(run.merge({document("brev.docx", "brev2.pdf")})->number(), 999);
    EXPECT_EQ(run.lastLine(), "Fejl i MailAndMerge log: PDF-udskriften har timeout Fejlkode 999");
    EXPECT_TRUE(run.putBack());
}

// Two requests of one user at once: the second waits for the PDF writer's
// turn, with the progress window, while the first's job is printed with the
// first's settings; then it makes its own PDF with its own. The default
// printer is the user's again after both.
TEST(MergeAndPrint, ASecondRequestWaitsForThePdfWritersTurn) {
    EngineRun run;
    mdPDFWriter writer(run.registry_, run.ui);
    fake::FakeProcesses first;
    PdfWriterTurn firstTurn(run.registry_, first, run.ui);
    ASSERT_TRUE(firstTurn.tryTake());
    run.processes.heldElsewhere = first.held;
    firstTurn.keepDefaultPrinter(Office);
    run.registry_.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue, PdfWriter, false);
    writer.SetPDFWriterSetting("FileName", Work + "a.pdf");
    writer.SetPDFWriterSetting("UserPassword", "aaa");
    int refusals = 0;
    run.processes.onRefused = [&](const std::string&) {
        if (++refusals == 3) {
            run.driverPrints();
            writer.ResetPDFWriter();
            firstTurn.defaultPrinterBack();
            firstTurn.release();
            run.processes.heldElsewhere.clear();
        }
    };
    MergeDocument second = document("brev.docx", "b.pdf");
    second.PDFPassword = "bbb";
    EXPECT_EQ(run.merge({second}), std::nullopt);
    EXPECT_EQ(run.events, " job OutputFile=" + Work +
                              "a.pdf userPassword=aaa open C:\\Sager\\brev.docx" +
                              " job BypassSaveAs=1 OutputFile=" + Work +
                              "b.pdf userPassword=bbb masterPassword=mnbvæuyt5678 AddSecurity=1 "
                              "AddBackground=0 saved close");
    EXPECT_EQ(run.ui.takeEvents().substr(0, 15), "makingpdf:shown");
    EXPECT_TRUE(run.putBack());
}

// A request killed in the PDF writer's turn, after the default printer was
// switched, leaves the printer switched and its job's settings: the next to
// take the turn (any start of a program) puts both back.
TEST(MergeAndPrint, ARunKilledInItsTurnIsPutBackByTheNextStart) {
    struct Killed {};
    EngineRun run;
    run.word.onCall = [](const std::string& call) {
        if (call.starts_with("printOut")) {
            throw Killed{};
        }
    };
    MergeDocument locked = document("brev.docx", "brev.pdf");
    locked.PDFPassword = "hemmelig";
    EXPECT_THROW(run.merge({locked}), Killed);
    fake::FakeProcesses next;
    EXPECT_EQ(PdfWriterTurn::putBackLeft(run.registry_, next, run.ui), Office);
    EXPECT_EQ(run.device() + "|" + run.jobSettings(), Office + "|");
}

} // namespace
} // namespace lexi
