#pragma once

#include "platform/failure.h"
#include "platform/platform.h"
#include "program/run_log.h"
#include "shared/pdfwriter/frm_making_pdf.h"
#include "shared/pdfwriter/pdf_writer_turn.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace lexi {

// How a wait for a printed file ended, when it did not fail.
enum class OutputWait { Present, Cancelled };

// Word printing for one run of the merge and print engine: the Word instance,
// the document being printed, the three retried Word steps, the waits for
// the printed file with the progress window, and the read-only open after a
// cancel. Word and the printer driver fail transiently (a document still
// locked, Word busy), so each Word step is tried ten times; failures that end
// the run are thrown as lexi::Failure for the engine's error path. Word is
// released at the end, never told to quit.
class WordPrinting {
public:
    // The wait for Word's PDF, counted in whole seconds from the end of the
    // close step.
    static constexpr std::int64_t OutputTimeLimitSeconds = 20;
    // The wait after the shell's print verb: a file type the shell cannot
    // print would otherwise hold the request for ever. Long enough for the
    // PDF writer's driver to start LibreOffice and convert a large document.
    static constexpr std::int64_t ShellOutputTimeLimitSeconds = 120;
    // The wait for the PDF writer's turn while another request prints: long
    // enough for a request of several PDFs.
    static constexpr std::int64_t TurnTimeLimitSeconds = 300;
    // The pause between two looks at the file; the clock is read on every
    // look, so the limits hold.
    static constexpr std::int64_t PollMilliseconds = 100;

    // The failure of a wait that ran out.
    static constexpr int TimeoutNumber = 999;

    WordPrinting(Platform& platform, RunLog& log);
    ~WordPrinting();
    WordPrinting(const WordPrinting&) = delete;
    WordPrinting& operator=(const WordPrinting&) = delete;

    // Takes the running Word, else starts one. Failures are ignored: Word is
    // then absent, and the first open fails in every attempt, with the
    // failure that kept Word from starting.
    void attach();
    bool attached() const { return attached_; }
    // The Word instance; null when it is absent.
    WordApplication* application() const { return word_.get(); }

    // Opens `SourcePath`, prints it to Word's active printer, closes it and
    // waits for `TargetPath`, the PDF. Throws when the document cannot be
    // opened or closed at all, and the timeout failure when the PDF is not
    // there within the time limit.
    OutputWait print(const std::string& SourcePath, const std::string& TargetPath);

    // Waits for `TargetPath` after the shell was told to print; throws the
    // timeout failure when it is not there within the shell's time limit.
    OutputWait waitForShellOutput(const std::string& TargetPath);

    // Waits, with the progress window, for the PDF writer's turn; throws the
    // timeout failure when it has not come within its time limit. Present
    // once the turn is taken.
    OutputWait waitForTurn(PdfWriterTurn& turn);

    // Opens `SourcePath` read-only, so that the user has the document whose
    // print was cancelled; it is kept open until Word is released. Failures
    // are ignored.
    void openReadOnly(const std::string& SourcePath);

    // Lets the current document go, if one is held.
    void releaseDocument() { document_.reset(); }
    // Lets every document and the Word instance go.
    void release();

private:
    WordDocument& document() const;
    void open(const std::string& SourcePath);
    void printOut(const std::string& SourcePath);
    void close(const std::string& SourcePath);
    // Looks until `ready` answers true, the user cancels or `limitSeconds`
    // have passed since the wait began (the timeout failure, described by
    // `timeout`). Whether the wait ended with `ready`, and the whole seconds
    // waited.
    // Whether a file is at `path`, asked on every look.
    std::function<bool()> fileAt(const std::string& path) const;
    OutputWait waitFor(const std::function<bool()>& ready, std::int64_t limitSeconds,
                       const char* timeout, std::int64_t& elapsed);

    Platform& platform_;
    RunLog& log_;
    frmMakingPDF progress_;
    std::unique_ptr<WordApplication> word_;
    std::optional<Failure> startFailure_;
    bool attached_ = false;
    std::unique_ptr<WordDocument> document_;
    std::unique_ptr<WordDocument> readOnlyDocument_;
};

} // namespace lexi
