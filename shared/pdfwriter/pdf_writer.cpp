#include "shared/pdfwriter/pdf_writer.h"

#include "platform/printers.h"
#include "shared/pdfwriter/driver_values.h"

namespace lexi {

PDFWriter::PDFWriter(PDFWriterState& state, mdRegistry& registry, Ui& ui, FileSystem& files,
                     Clock& clock, Processes& processes)
    : state_(state), registry_(registry), ui_(ui), files_(files), clock_(clock),
      processes_(processes), writer_(registry, ui) {}

PdfWriterTurn& PDFWriter::turn() {
    if (!state_.turn) {
        state_.turn = std::make_unique<PdfWriterTurn>(registry_, processes_, ui_);
    }
    return *state_.turn;
}

std::string PDFWriter::SetPDFPrinter(std::string_view Destination, std::string_view Background) {
    if (!waitUntil([this] { return turn().tryTake(); }, TurnWaitMilliseconds)) {
        return "PDF Writer er optaget af en anden udskrift!";
    }
    writer_.ResetPDFWriter();
    const std::string port = readRegistryText(registry_, driver::DevicesKey, PdfWriterName);
    if (port.empty()) {
        if (!turn().keepsDefaultPrinter()) {
            turn().release();
        }
        return "PDF Writer ikke installeret!";
    }
    turn().keepDefaultPrinter(readRegistryText(registry_, driver::WindowsKey, driver::DeviceValue));
    registry_.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue,
                                 std::string(PdfWriterName) + "," + port, false);
    state_.expectedOutputFile = Destination;
    state_.earlierOutputStamp = files_.fileStamp(Destination);
    // The library's PDFs carry no open password and no encryption level.
    writer_.SetPDFWriterSetting("DisplayMode", "1");
    writer_.SetPDFWriterSetting("FileName", Destination);
    writer_.SetPDFWriterSetting("Security", "1");
    writer_.SetPDFWriterSetting("NoComments", "1");
    writer_.SetPDFWriterSetting("NoCopy", "1");
    if (!Background.empty()) {
        writer_.SetPDFWriterSetting("ApplyBackground", "1");
        writer_.SetPDFWriterSetting("BackgroundSource", Background);
    }
    return "OK";
}

std::string PDFWriter::SetStandardPrinter() {
    const bool appeared = waitForOutput();
    const std::string missing = state_.expectedOutputFile;
    putBack();
    ui_.doEvents();
    return appeared ? "OK" : "PDF-filen blev ikke dannet: " + missing;
}

// Without a turn of its own the library leaves the PDF writer to the process
// whose turn it is.
void PDFWriter::putBack() {
    if (turn().tryTake()) {
        writer_.ResetPDFWriter();
        turn().defaultPrinterBack();
        turn().release();
    }
    state_.expectedOutputFile.clear();
}

bool PDFWriter::waitUntil(const std::function<bool()>& ready, std::int64_t limitMilliseconds) {
    for (std::int64_t waited = 0;; waited += OutputPollMilliseconds) {
        ui_.doEvents();
        if (ready()) {
            return true;
        }
        if (waited >= limitMilliseconds) {
            return false;
        }
        clock_.sleepMilliseconds(OutputPollMilliseconds);
    }
}

// The driver writes the PDF beside its name and renames it into place, so a
// file that exists is whole; a file left there by an earlier print is not the
// one awaited. The host's windows stay responsive: messages run between the
// looks, the sleeps between them are short.
bool PDFWriter::waitForOutput() {
    const std::string& expected = state_.expectedOutputFile;
    if (expected.empty()) {
        return true;
    }
    return waitUntil(
        [&] {
            const std::string stamp = files_.fileStamp(expected);
            return !stamp.empty() && stamp != state_.earlierOutputStamp;
        },
        OutputWaitMilliseconds);
}

} // namespace lexi
