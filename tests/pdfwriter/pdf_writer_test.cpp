#include "platform/fake/fake_processes.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_file_system.h"
#include "platform/fake/memory_registry.h"
#include "shared/pdfwriter/frm_making_pdf.h"
#include "shared/pdfwriter/pdf_writer.h"
#include "shared/pdfwriter/pdf_writer_turn.h"
#include "tests/support/recording_ui.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

using namespace std::string_literals;

const std::string Settings = "Software\\Lexitray PDF Writer";
const std::string Windows = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const std::string Devices = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";
const std::string Pdf = "C:\\x\\brev.pdf";

// A UI that counts the times pending messages ran and, at the chosen one,
// lets the driver finish the PDF.
class DriverUi : public testing::RecordingUi {
public:
    explicit DriverUi(fake::MemoryFileSystem& files) : files_(files) {}
    void doEvents() override {
        if (++looks == pdfAtLook) {
            files_.putFile(Pdf, "%PDF");
        }
    }
    int looks = 0;
    int pdfAtLook = 0;

private:
    fake::MemoryFileSystem& files_;
};

class PdfWriterTest : public ::testing::Test {
protected:
    void put(const std::string& key, const std::string& name, const std::string& text) {
        ASSERT_TRUE(module.WriteRegistryValue("HKEY_CURRENT_USER\\" + key, name, text, false));
    }

    // Each value of a key: "name=type:bytes", space-separated.
    std::string values(const std::string& key) {
        std::string seen;
        for (const std::string& name : registry.valueNames(RegistryRoot::CurrentUser, key)) {
            RegistryValue value;
            std::size_t size = 0;
            EXPECT_EQ(registry.queryValue(RegistryRoot::CurrentUser, key, name, 99, value, size),
                      RegistryStatus::Ok);
            seen += " " + name + "=" + std::to_string(int(value.type)) + ":" + value.data;
        }
        return seen;
    }

    fake::MemoryRegistry registry;
    fake::MemoryFileSystem files;
    fake::ManualClock clock;
    fake::FakeProcesses processes;
    DriverUi ui{files};
    mdRegistry module{registry, ui};
    mdPDFWriter writer{module, ui};
};

TEST_F(PdfWriterTest, EachSettingGoesUnderTheDriversNameAsTextOrAsBytesWithAZero) {
    // The digit 5 as text, or as its byte and a zero byte.
    const std::string T = "=0:5\0"s, B = "=1:5\0"s;
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"DisplayMode", "BypassSaveAs" + T}, {"FileName", "OutputFile" + T},
        {"StartNumber", "StartAt" + B}, {"Security", "AddSecurity" + T},
        {"Encryption", "Level" + T},
        {"UserPassword", "userPassword" + T}, {"MasterPassword", "masterPassword" + T},
        {"NoPrint", "noPrinting" + T}, {"NoModify", "noModifyContents" + T},
        {"NoComments", "noModifyAnnotations" + T}, {"NoCopy", "noCopy" + T},
        {"ApplyBackground", "AddBackground" + T}, {"BackgroundSource", "BackgroundFile" + T},
        {"FirstPageOnly", "FirstPageOnly" + T}, {"Append", "CombinePDFs" + B},
        {"Author", "Author" + T}, {"Title", "Title" + T}, {"Subject", "Subject" + T},
        {"Keywords", "Keywords" + T}, {"PDFCreator", "Creator" + T},
        {"PDFProducer", "Producer" + T},
        {"LeftMargin", "LeftMargin" + B}, {"TopMargin", "TopMargin" + B},
        {"RightMargin", "RightMargin" + B}, {"BottomMargin", "BottomMargin" + B},
        {"DocScale", "Scale" + B},
        // Names are compared exactly; the driver's own names are no settings.
        {"Foo", ""}, {"filename", ""}, {"OutputFile", ""}, {"", ""},
    };
    // clang-format on
    for (const auto& [name, expected] : cases) {
        writer.ResetPDFWriter();
        writer.SetPDFWriterSetting(name, "5");
        EXPECT_EQ(values(Settings), (expected.empty() ? "" : " ") + expected) << name;
    }
    EXPECT_EQ(ui.looks, 60) << "messages run after every reset and every setting";
    EXPECT_EQ(ui.messages().size(), 0u);
}

TEST_F(PdfWriterTest, SwitchesToThePdfWriterWithTheJobsSettingsAndBackOnceThePdfIsThere) {
    enum Call { Earlier, Set, SetOnBackground, SetOnOther, Standard };
    struct Case {
        const char* name;
        std::optional<std::string> port; // the Devices value; none: missing
        std::vector<Call> calls;
        int pdfAtLook; // 0: never
        std::string expected;
    };
    const std::string Port = "winspool,Ne00:", Device = "HP LaserJet,winspool,Ne01:";
    const std::string Job = " BypassSaveAs=0:1\0 OutputFile=0:C:\\x\\brev.pdf\0 AddSecurity=0:1\0 "
                            "noModifyAnnotations=0:1\0 noCopy=0:1\0"s;
    const std::string Switched = " Device=0:Lexitray PDF Writer,winspool,Ne00:\0|"s;
    const std::string Back = " Device=0:" + Device + "\0|"s;
    const std::string Background = "C:\\skabeloner\\brevpapir.pdf";
    const std::string Gone = "PDF-filen blev ikke dannet: " + Pdf;
    // clang-format off
    const Case cases[] = {
        {"not installed: settings cleared, default untouched", std::nullopt, {Set}, 0,
         "PDF Writer ikke installeret!|slept 0|" + Back},
        {"an empty port is not installed either", "", {Set}, 0,
         "PDF Writer ikke installeret!|slept 0|" + Back},
        {"installed", Port, {Set}, 0, "OK|slept 0|" + Switched + Job},
        {"with a background", Port, {SetOnBackground}, 0, "OK|slept 0|" + Switched + Job +
         " AddBackground=0:1\0 BackgroundFile=0:"s + Background + "\0"s},
        {"back once the PDF appears, messages running meanwhile", Port, {Set, Standard}, 40,
         "OK|OK|slept 3900|" + Back},
        {"a PDF that never appears: back all the same after the wait, said so", Port,
         {Set, Standard}, 0, "OK|" + Gone + "|slept 120000|" + Back},
        {"nothing switched: nothing to wait for, the default untouched", Port, {Standard}, 0,
         "OK|slept 0|" + Back},
        {"switched twice: the first default comes back", Port, {SetOnOther, Set, Standard}, 1,
         "OK|OK|OK|slept 0|" + Back},
        {"a PDF of an earlier print at the place: the new one is awaited", Port,
         {Earlier, Set, Standard}, 40, "OK|OK|slept 3900|" + Back},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        registry = fake::MemoryRegistry();
        files.putFile(Pdf, "");
        files.deleteFile(Pdf, true);
        put(Windows, "Device", Device);
        put(Settings, "Level", "stale");
        if (c.port) {
            put(Devices, "Lexitray PDF Writer", *c.port);
        }
        const auto slept = clock.sleptMilliseconds();
        PDFWriterState state;
        std::string seen;
        for (const Call call : c.calls) {
            if (call == Earlier) {
                files.putFile(Pdf, "%PDF earlier");
                continue;
            }
            ui.looks = 0;
            ui.pdfAtLook = call == Standard ? c.pdfAtLook : 0;
            // Every call through a PDFWriter of its own: the state is the library's.
            PDFWriter pdf(state, module, ui, files, clock, processes);
            seen += (call == Standard          ? pdf.SetStandardPrinter()
                     : call == SetOnBackground ? pdf.SetPDFPrinter(Pdf, Background)
                     : call == SetOnOther      ? pdf.SetPDFPrinter("C:\\x\\old.pdf")
                                               : pdf.SetPDFPrinter(Pdf)) +
                    "|";
        }
        seen += "slept " + std::to_string(clock.sleptMilliseconds() - slept) + "|";
        EXPECT_EQ(seen + values(Windows) + "|" + values(Settings), c.expected);
        EXPECT_EQ(ui.messages().size(), 0u);
    }
}

// A host that ended between SetPDFPrinter and SetStandardPrinter without
// putting anything back (killed) left the PDF writer the default printer and
// its job's settings: the next to take the PDF writer's turn puts both back,
// the printer only while it is still the PDF writer; while another process
// has the turn nothing is touched.
TEST_F(PdfWriterTest, WhatAHostEndedInItsTurnLeftIsPutBackByTheNextToTakeTheTurn) {
    const std::string Device = "HP LaserJet,winspool,Ne01:", Chosen = "Kontor,winspool,Ne02:";
    const std::string Left = " 100 Device=0:" + Device + "\0"s;
    const struct {
        const char* name;
        std::string deviceSince;
        bool turnTaken;
        std::string expected;
    } cases[] = {
        {"put back", "", false, Device + "| Device=0:" + Device + "\0||"s},
        {"a printer chosen since stays", Chosen, false, "-| Device=0:" + Chosen + "\0||"s},
        {"another's turn: untouched", "", true,
         "-| Device=0:Lexitray PDF Writer,winspool,Ne00:\0| BypassSaveAs|"s + Left},
    };
    for (const auto& c : cases) {
        registry = fake::MemoryRegistry();
        put(Windows, "Device", Device);
        put(Devices, "Lexitray PDF Writer", "winspool,Ne00:");
        {
            PDFWriterState killed;
            PDFWriter(killed, module, ui, files, clock, processes).SetPDFPrinter(Pdf);
        }
        if (!c.deviceSince.empty()) {
            put(Windows, "Device", c.deviceSince);
        }
        processes.heldElsewhere = {};
        if (c.turnTaken) {
            processes.heldElsewhere.insert("pdf-writer");
        }
        const std::string putBack = PdfWriterTurn::putBackLeft(module, processes, ui).value_or("-");
        const std::string settings = values(Settings);
        EXPECT_EQ(putBack + "|" + values(Windows) + "|" + settings.substr(0, settings.find('=')) +
                      "|" + values("Software\\Lexitray\\Printerskift"),
                  c.expected)
            << c.name;
    }
}

// SetPDFPrinter waits, letting messages run, while another process has the
// PDF writer's turn, and gives up after its wait without touching anything.
TEST_F(PdfWriterTest, SetPdfPrinterWaitsForTheTurnOfAnotherProcess) {
    put(Devices, "Lexitray PDF Writer", "winspool,Ne00:");
    for (const int releasedAt : {0, 5}) {
        processes.heldElsewhere = {"pdf-writer"};
        int refusals = 0;
        processes.onRefused = [&](const std::string&) {
            if (++refusals == releasedAt) {
                processes.heldElsewhere.clear();
            }
        };
        const auto slept = clock.sleptMilliseconds();
        PDFWriterState state;
        const std::string answer =
            PDFWriter(state, module, ui, files, clock, processes).SetPDFPrinter(Pdf);
        EXPECT_EQ(answer + " " + std::to_string(clock.sleptMilliseconds() - slept) + " " +
                      values(Settings).substr(0, 13),
                  releasedAt ? "OK 500  BypassSaveAs"
                             : "PDF Writer er optaget af en anden udskrift! 120000 ");
    }
}

TEST(FrmMakingPdfTest, LoadingClearsTheFlagTheButtonOrCloseBoxSetsItWhileMessagesRun) {
    testing::RecordingUi ui("makingpdf close\nmsgbox No\nmakingpdf Annuller\n");
    frmMakingPDF window(ui);
    std::string seen;
    ui.doEvents(); // no window loaded: the click waits for one
    window.load();
    seen += "-C"[window.cancelled()];
    seen += "-C"[window.poll()];
    window.load(); // loaded already: the flag stays
    seen += "-C"[window.cancelled()];
    window.unload();
    window.load();
    seen += "-C"[window.cancelled()];
    seen += "-C"[window.poll()]; // the next answer is no click
    ui.messageBox("?", msgbox::YesNo, "Lexitray");
    seen += "-C"[window.poll()];
    EXPECT_EQ(ui.records.front().toLine(),
              "makingpdf\tevent=shown\ttitle=Lexitray\tAnnullerKnap=Annuller");
    window.unload();
    EXPECT_EQ(seen + " " + ui.takeEvents(), "-CC--C makingpdf:shown makingpdf:unloaded "
                                            "makingpdf:shown msgbox: makingpdf:unloaded");
}

} // namespace
} // namespace lexi
