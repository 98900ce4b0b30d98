#pragma once

#include "platform/clock.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/ui.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "shared/pdfwriter/pdf_writer_turn.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace lexi {

// What PDFWriter remembers from SetPDFPrinter to SetStandardPrinter: one for
// the loaded library, shared by every PDFWriter object.
struct PDFWriterState {
    // The PDF writer's turn, held from SetPDFPrinter to SetStandardPrinter,
    // with the default printer to put back; made on first use.
    std::unique_ptr<PdfWriterTurn> turn;
    // The destination of the last SetPDFPrinter; empty when none.
    std::string expectedOutputFile;
    // The stamp of the file that was at that place then, from an earlier
    // print; empty when none was there.
    std::string earlierOutputStamp;
};

// The library's class that brackets the case-management system's own print
// jobs: SetPDFPrinter makes the PDF writer the default printer with the job's
// settings, SetStandardPrinter waits for the PDF and puts the default printer
// back.
class PDFWriter {
public:
    // How long SetStandardPrinter waits for the PDF, and SetPDFPrinter for
    // the PDF writer's turn while another request prints; how often they look.
    static constexpr std::int64_t OutputWaitMilliseconds = 120'000;
    static constexpr std::int64_t TurnWaitMilliseconds = 120'000;
    static constexpr std::int64_t OutputPollMilliseconds = 100;

    PDFWriter(PDFWriterState& state, mdRegistry& registry, Ui& ui, FileSystem& files, Clock& clock,
              Processes& processes);

    // In the PDF writer's turn (waited for, letting window messages run,
    // while another process prints to it): clears the job settings, switches
    // the default printer to the PDF writer and writes the settings of a PDF
    // at `Destination`, written without asking, secured against annotating
    // and copying, laid on the `Background` PDF when one is named. "OK", or
    // "PDF Writer ikke installeret!" when the PDF writer is not installed
    // (the job settings are cleared then, the default printer untouched), or
    // "PDF Writer er optaget af en anden udskrift!" when the turn did not
    // come within the wait (nothing changed then).
    std::string SetPDFPrinter(std::string_view Destination, std::string_view Background = {});

    // Waits, letting window messages run, until the PDF of the last
    // SetPDFPrinter exists (a new one, when a file was at its place), then
    // clears the job settings and puts the default printer back. "OK"; when
    // the PDF has not appeared within the wait, everything is put back all
    // the same and the answer says which PDF is missing.
    std::string SetStandardPrinter();

    // What SetStandardPrinter puts back, at once: for a host that lets the
    // library go between the two calls.
    void putBack();

private:
    PdfWriterTurn& turn();
    // Looks until `ready` answers true, letting window messages run between
    // the looks; false when `limitMilliseconds` run out first.
    bool waitUntil(const std::function<bool()>& ready, std::int64_t limitMilliseconds);
    // True once a new file exists at the expected place (at once when none
    // is expected), false when the wait runs out first.
    bool waitForOutput();

    PDFWriterState& state_;
    mdRegistry& registry_;
    Ui& ui_;
    FileSystem& files_;
    Clock& clock_;
    Processes& processes_;
    mdPDFWriter writer_;
};

} // namespace lexi
