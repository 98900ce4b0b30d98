#pragma once

#include "platform/processes.h"
#include "platform/ui.h"
#include "shared/registry/md_registry.h"

#include <memory>
#include <optional>
#include <string>

namespace lexi {

// The PDF writer is one per user: one set of job settings, which its driver
// reads when a print job arrives, and one default printer, which sends the
// jobs to it. A process uses it in its turn only: from before it switches
// the default printer or writes a job's settings until its PDFs have
// appeared (or its wait ended) and both are put back, so that two requests
// never share a job. The turn is a lock of the user's processes, which the
// system lets go of when its holder ends, however it ends. The default
// printer a process switches away from is noted in the registry until it is
// back; whoever takes the turn next puts back what a holder that ended in its
// turn left: the default printer, while the PDF writer is still the default,
// and the job settings.
class PdfWriterTurn {
public:
    PdfWriterTurn(mdRegistry& registry, Processes& processes, Ui& ui);

    // Takes the turn when no other process has it, putting back first what
    // was left. Whether this process has the turn; a workstation where the
    // turn's lock cannot be made runs as if every process had it.
    bool tryTake();
    bool held() const { return lock_ != nullptr || unlocked_; }
    // Lets the turn go.
    void release();

    // Keeps `device`, the default printer in force before the PDF writer is
    // made the default, and notes it for whoever takes the turn should this
    // process end before it is back. A printer kept already stays kept.
    void keepDefaultPrinter(const std::string& device);
    bool keepsDefaultPrinter() const { return kept_.has_value(); }
    // Writes the kept default printer back exactly as it was read, then
    // forgets it; nothing when none is kept.
    void defaultPrinterBack();
    // Forgets the kept default printer and its note, once it is back.
    void forgetDefaultPrinter();

    // The default printer the last taking of the turn put back for a process
    // that had ended in its turn; nothing when there was none.
    const std::optional<std::string>& putBackForOther() const { return putBackForOther_; }

    // Puts back what a process that ended in its turn left, when no process
    // has the turn now: at every start of a program and when the library is
    // loaded and unloaded.
    static std::optional<std::string> putBackLeft(mdRegistry& registry, Processes& processes,
                                                  Ui& ui);

private:
    void putBackWhatWasLeft();

    mdRegistry& registry_;
    Processes& processes_;
    Ui& ui_;
    std::unique_ptr<ProcessLock> lock_;
    bool unlocked_ = false;
    std::optional<std::string> kept_;
    std::string noteName_;
    std::optional<std::string> putBackForOther_;
};

} // namespace lexi
