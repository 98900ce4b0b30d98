#include "shared/pdfwriter/pdf_writer.h"

namespace lexi {

PDFWriter::PDFWriter(PDFWriterState& state, mdRegistry& registry, Ui& ui, FileSystem& files,
                     Clock& clock)
    : state_(state), registry_(registry), ui_(ui), files_(files), clock_(clock),
      writer_(registry, ui) {}

std::string PDFWriter::SetPDFPrinter(std::string_view Destination, std::string_view Background) {
    writer_.ResetPDFWriter();
    if (!state_.printer.toPdfWriter(registry_)) {
        return "PDF Writer ikke installeret!";
    }
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
    writer_.ResetPDFWriter();
    state_.printer.back(registry_);
    ui_.doEvents();
    state_.expectedOutputFile.clear();
    return appeared ? "OK" : "PDF-filen blev ikke dannet: " + missing;
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
    for (std::int64_t waited = 0;; waited += OutputPollMilliseconds) {
        ui_.doEvents();
        const std::string stamp = files_.fileStamp(expected);
        if (!stamp.empty() && stamp != state_.earlierOutputStamp) {
            return true;
        }
        if (waited >= OutputWaitMilliseconds) {
            return false;
        }
        clock_.sleepMilliseconds(OutputPollMilliseconds);
    }
}

} // namespace lexi
