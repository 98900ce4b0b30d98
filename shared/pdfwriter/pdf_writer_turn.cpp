#include "shared/pdfwriter/pdf_writer_turn.h"

#include "platform/failure.h"
#include "platform/printers.h"
#include "platform/text.h"
#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "shared/registry/process_journal.h"

namespace lexi {
namespace {

const char* const TurnLock = "pdf-writer";

// The default printers switched away from, one note per process.
ProcessJournal switchedPrinters(mdRegistry& registry) {
    return ProcessJournal(registry.registry(), "Software\\Lexitray\\Printerskift");
}

bool isPdfWriterDevice(const std::string& device) {
    const std::string_view name = PdfWriterName;
    return device.size() > name.size() && device[name.size()] == ',' &&
           text::equalsIgnoreCase(std::string_view(device).substr(0, name.size()), name);
}

} // namespace

PdfWriterTurn::PdfWriterTurn(mdRegistry& registry, Processes& processes, Ui& ui)
    : registry_(registry), processes_(processes), ui_(ui) {}

bool PdfWriterTurn::tryTake() {
    if (held()) {
        return true;
    }
    try {
        lock_ = processes_.tryLock(TurnLock);
    } catch (const Failure&) {
        unlocked_ = true;
        return true;
    }
    if (lock_) {
        putBackWhatWasLeft();
    }
    return held();
}

void PdfWriterTurn::release() {
    lock_.reset();
    unlocked_ = false;
}

// In the turn no other process is using the PDF writer: every note is of a
// process that ended in its turn, and the job settings are a dead job's.
// The default printer is put back only while it is still the PDF writer: a
// printer the user chose since stays.
void PdfWriterTurn::putBackWhatWasLeft() {
    putBackForOther_.reset();
    ProcessJournal journal = switchedPrinters(registry_);
    for (const ProcessJournal::Note& note : journal.notes()) {
        const std::string device =
            readRegistryText(registry_, driver::WindowsKey, driver::DeviceValue);
        if (isPdfWriterDevice(device) &&
            registry_.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue, note.text,
                                         false)) {
            putBackForOther_ = note.text;
        }
        journal.remove(note.name);
    }
    mdPDFWriter(registry_, ui_).ResetPDFWriter();
}

void PdfWriterTurn::keepDefaultPrinter(const std::string& device) {
    if (kept_) {
        return;
    }
    kept_ = device;
    noteName_ = switchedPrinters(registry_).add(processes_.currentProcessId(), "Device", device);
}

void PdfWriterTurn::defaultPrinterBack() {
    if (kept_) {
        registry_.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue, *kept_, false);
        forgetDefaultPrinter();
    }
}

void PdfWriterTurn::forgetDefaultPrinter() {
    if (!noteName_.empty()) {
        switchedPrinters(registry_).remove(noteName_);
        noteName_.clear();
    }
    kept_.reset();
}

std::optional<std::string> PdfWriterTurn::putBackLeft(mdRegistry& registry, Processes& processes,
                                                      Ui& ui) {
    PdfWriterTurn turn(registry, processes, ui);
    turn.tryTake();
    return turn.putBackForOther();
}

} // namespace lexi
