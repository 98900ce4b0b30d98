#include "docprep/word_printing.h"

#include "platform/failure.h"

namespace lexi {
namespace {

// Tries per Word step before the last, untrapped one.
constexpr int Attempts = 10;

constexpr const char* OutputTimeout = "PDF-udskriften har timeout";

// One attempt of a retried step: whether it raised no failure. A failed
// attempt is told only by the attempt's log line.
template <typename Call> bool succeeds(Call call) {
    try {
        call();
        return true;
    } catch (const Failure&) {
        return false;
    }
}

std::string attemptText(const std::string& path, int attempt) {
    return path + " forsøg " + std::to_string(attempt);
}

std::string afterText(const std::string& path, int attempt) {
    return path + " Efter " + std::to_string(attempt) + " forsøg";
}

} // namespace

WordPrinting::WordPrinting(Platform& platform, RunLog& log)
    : platform_(platform), log_(log), progress_(platform.ui) {}

WordPrinting::~WordPrinting() {
    release();
}

void WordPrinting::attach() {
    log_.WriteLog("Wrdapp aktiveres--------------------");
    succeeds([&] { word_ = platform_.word.running(); });
    if (!word_) {
        try {
            word_ = platform_.word.start();
        } catch (const Failure& failure) {
            startFailure_ = failure;
        }
    }
    attached_ = true;
}

void WordPrinting::release() {
    document_.reset();
    readOnlyDocument_.reset();
    word_.reset();
}

WordDocument& WordPrinting::document() const {
    if (!document_) {
        throw Failure(failure::ObjectNotSet, "WordPrinting");
    }
    return *document_;
}

OutputWait WordPrinting::print(const std::string& SourcePath, const std::string& TargetPath) {
    open(SourcePath);
    printOut(SourcePath);
    close(SourcePath);

    log_.WriteLog("Starter PDF udskrivning");
    std::int64_t elapsed = 0;
    if (waitFor(fileAt(TargetPath), OutputTimeLimitSeconds, OutputTimeout, elapsed) ==
        OutputWait::Cancelled) {
        return OutputWait::Cancelled;
    }
    log_.WriteLog("Udskrift af pdf " + std::to_string(elapsed) + " sek.");
    log_.WriteLog("Afslutter PDF udskrivning");
    document_.reset();
    platform_.ui.doEvents();
    return OutputWait::Present;
}

void WordPrinting::open(const std::string& SourcePath) {
    log_.WriteLog("Starter åbning af dokument");
    const auto openForWriting = [&] {
        if (!word_) {
            throw startFailure_.value_or(Failure(failure::ObjectNotSet, "WordPrinting"));
        }
        document_ = word_->open(SourcePath, false, false, false);
    };
    bool opened = false;
    for (int attempt = 1; attempt <= Attempts && !opened; ++attempt) {
        succeeds(openForWriting);
        platform_.ui.doEvents();
        log_.WriteLog("Prøver at åbne dokument " + attemptText(SourcePath, attempt));
        opened = document_ != nullptr;
        if (opened) {
            log_.WriteLog("Dokument åbnet " + afterText(SourcePath, attempt));
        }
    }
    if (!opened) {
        openForWriting();
    }
    log_.WriteLog("Afslutter åbning af dokument");
}

// Ten failed prints are passed over: the wait for the PDF then runs into its
// limit, unless the file comes all the same.
void WordPrinting::printOut(const std::string& SourcePath) {
    log_.WriteLog("Starter udskrivning af dokument");
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        const bool printed = succeeds([&] { document().printOut(false); });
        platform_.ui.doEvents();
        log_.WriteLog("Prøver at udskrive dokument " + attemptText(SourcePath, attempt));
        if (printed) {
            log_.WriteLog("Dokument udskrevet " + afterText(SourcePath, attempt));
            break;
        }
    }
    log_.WriteLog("Afslutter udskrivning af dokument");
}

void WordPrinting::close(const std::string& SourcePath) {
    log_.WriteLog("Starter lukning af dokument");
    bool closed = false;
    for (int attempt = 1; attempt <= Attempts && !closed; ++attempt) {
        closed = succeeds([&] {
            document().setSaved(true);
            platform_.ui.doEvents();
            document().close(false);
            platform_.ui.doEvents();
            document_.reset();
            platform_.ui.doEvents();
        });
        log_.WriteLog("Prøver at lukke dokument " + attemptText(SourcePath, attempt));
        if (closed) {
            log_.WriteLog("Dokument lukket " + afterText(SourcePath, attempt));
        }
    }
    if (!closed) {
        document().close(false);
        document_.reset();
        platform_.ui.doEvents();
    }
    log_.WriteLog("Afslutter lukning af dokument");
}

OutputWait WordPrinting::waitForShellOutput(const std::string& TargetPath) {
    std::int64_t elapsed = 0;
    const OutputWait ended =
        waitFor(fileAt(TargetPath), ShellOutputTimeLimitSeconds, OutputTimeout, elapsed);
    platform_.ui.doEvents();
    return ended;
}

OutputWait WordPrinting::waitForTurn(PdfWriterTurn& turn) {
    std::int64_t elapsed = 0;
    return waitFor([&] { return turn.tryTake(); }, TurnTimeLimitSeconds,
                   "PDF-printeren er optaget af en anden udskrift", elapsed);
}

std::function<bool()> WordPrinting::fileAt(const std::string& path) const {
    return [this, path] {
        return platform_.files.exists(path);
    };
}

OutputWait WordPrinting::waitFor(const std::function<bool()>& ready, std::int64_t limitSeconds,
                                 const char* timeout, std::int64_t& elapsed) {
    // The progress window goes with the wait however it ends.
    struct Unload {
        frmMakingPDF& window;
        ~Unload() { window.unload(); }
    } unload{progress_};
    const LocalDateTime start = platform_.clock.now();
    for (;;) {
        if (ready()) {
            return OutputWait::Present;
        }
        if (progress_.poll()) {
            return OutputWait::Cancelled;
        }
        elapsed = secondsBetween(start, platform_.clock.now());
        if (elapsed >= limitSeconds) {
            throw Failure(TimeoutNumber, timeout, "Timeout");
        }
        platform_.clock.sleepMilliseconds(PollMilliseconds);
    }
}

void WordPrinting::openReadOnly(const std::string& SourcePath) {
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        succeeds([&] {
            if (word_) {
                readOnlyDocument_ = word_->open(SourcePath, false, true, false);
            }
        });
        log_.WriteLog("Prøver at åbne dokument " + attemptText(SourcePath, attempt));
        if (readOnlyDocument_) {
            log_.WriteLog("Dokument åbnet " + afterText(SourcePath, attempt));
            return;
        }
    }
}

} // namespace lexi
