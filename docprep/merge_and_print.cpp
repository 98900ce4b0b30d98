#include "docprep/merge_and_print.h"

#include "docprep/word_printing.h"
#include "platform/failure.h"
#include "platform/shell.h"
#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "shared/pdfwriter/pdf_writer_turn.h"

#include <algorithm>

namespace lexi {
namespace {

// The owner password of every PDF that has a user password.
constexpr std::string_view OwnerPassword = "mnbvæuyt5678";

bool isWordSource(const std::string& ext) {
    return ext == "doc" || ext == "docx";
}

// Word is needed for a Word document or template in the list.
bool needsWord(const DocumentList& list) {
    for (const MergeDocument& record : list) {
        if (record.SourceExt == "doc" || record.SourceExt == "dot" || record.SourceExt == "docx" ||
            (record.SourceExt == "dotx" && record.TargetExt == "pdf")) {
            return true;
        }
    }
    return false;
}

// One run of the engine over one list.
class MergeRun {
public:
    explicit MergeRun(DocPrepContext& context)
        : context_(context), ui_(context.platform.ui), registry_(context.platform.registry, ui_),
          writer_(registry_, ui_), turn_(registry_, context.platform.processes, ui_),
          word_(context.platform, context.log) {}

    void run(const DocumentList& list);

private:
    // Whether the record is printed to a PDF.
    bool printsToPdf(const MergeDocument& record) const {
        return context_.pdfWriterInstalled && record.SourceExt != "pdf" &&
               record.TargetExt == "pdf";
    }
    // False when the user cancelled the wait for the PDF writer's turn.
    bool start(const DocumentList& list);
    bool takeTurn(const DocumentList& list);
    // Whether the user cancelled the wait for its PDF.
    bool make(const MergeDocument& record);
    void copy(const MergeDocument& record);
    bool printToPdf(const MergeDocument& record);
    void switchDefaultPrinter();
    void writeJobSettings(const MergeDocument& record);
    bool printWithShell(const MergeDocument& record);
    void cancelled(const MergeDocument* record);
    void putDefaultPrinterBack();
    void putWordPrinterBack();
    void cleanUp();
    // Clears the job settings, when the run has the turn, and lets it go.
    void releaseTurn();
    [[noreturn]] void failed(const Failure& failure);

    std::string device() {
        return readRegistryText(registry_, driver::WindowsKey, driver::DeviceValue);
    }
    void writeDevice(const std::string& value) {
        registry_.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue, value, false);
    }
    void log(const std::string& line) { context_.log.WriteLog(line); }

    DocPrepContext& context_;
    Ui& ui_;
    mdRegistry registry_;
    mdPDFWriter writer_;
    PdfWriterTurn turn_;
    WordPrinting word_;
    std::string savedWordPrinter_;
    std::string pdfWriterDevice_;
    std::string savedDevice_;
};

void MergeRun::run(const DocumentList& list) {
    try {
        if (!start(list)) {
            cancelled(nullptr);
            return;
        }
        for (const MergeDocument& record : list) {
            if (make(record)) {
                cancelled(&record);
                return;
            }
        }
        putDefaultPrinterBack();
        cleanUp();
    } catch (const Failure& failure) {
        failed(failure);
    }
}

bool MergeRun::start(const DocumentList& list) {
    log("Start på MergeAndPrint");
    log("Forsøger at starte Word");
    if (needsWord(list)) {
        word_.attach();
        if (WordApplication* word = word_.application()) {
            savedWordPrinter_ = word->activePrinter();
        }
    }
    if (!takeTurn(list)) {
        return false;
    }
    if (turn_.held()) {
        writer_.ResetPDFWriter();
    }
    pdfWriterDevice_ = std::string(PdfWriterName) + "," +
                       readRegistryText(registry_, driver::DevicesKey, PdfWriterName);
    savedDevice_ = device();
    if (turn_.held()) {
        writer_.SetPDFWriterSetting("DisplayMode", "1");
    }
    log("Forsøger at sætte aktiv printer til Lexitray PDF");
    if (WordApplication* word = word_.application()) {
        word->setActivePrinter(PdfWriterName);
    }
    log("Aktiv printer er sat til Lexitray PDF");
    return true;
}

// A run with a PDF to make waits for the PDF writer's turn while another
// request prints to it; a run without one leaves the PDF writer alone then.
bool MergeRun::takeTurn(const DocumentList& list) {
    if (turn_.tryTake() || std::ranges::none_of(list, [this](const MergeDocument& record) {
            return printsToPdf(record);
        })) {
        return true;
    }
    log("Venter på PDF-printeren, som en anden udskrift bruger");
    return word_.waitForTurn(turn_) == OutputWait::Present;
}

bool MergeRun::make(const MergeDocument& record) {
    const bool toPdf = printsToPdf(record);
    if (record.Clean && !toPdf) {
        // The cleaner has written it, or it is of a kind the cleaner refused
        // and the user was told it is not attached.
        return false;
    }
    if (record.SourceExt == "msg") {
        copy(record);
        ui_.doEvents();
    } else if (toPdf) {
        return printToPdf(record);
    } else {
        copy(record);
        log("kopierer fra " + record.SourcePath + " til " + record.TargetPath);
    }
    return false;
}

// A document that cannot be copied (a web address, a file gone meanwhile)
// gets no attachment; the others are made all the same. A copy cut short (a
// full disk) leaves part of the file: it goes, so that nothing half is
// attached.
void MergeRun::copy(const MergeDocument& record) {
    FileSystem& files = context_.platform.files;
    try {
        files.copyFile(record.SourcePath, record.TargetPath, true);
    } catch (const Failure&) {
        if (!record.TargetPath.empty()) {
            ignoringFailure([&] { files.deleteFile(record.TargetPath, true); });
        }
    }
}

bool MergeRun::printToPdf(const MergeDocument& record) {
    switchDefaultPrinter();
    writeJobSettings(record);
    if (isWordSource(record.SourceExt)) {
        return word_.print(record.SourcePath, record.TargetPath) == OutputWait::Cancelled;
    }
    return printWithShell(record);
}

// The driver and the programs that print take the default printer from
// "Device": it is checked once and written again when another program has
// changed it meanwhile.
void MergeRun::switchDefaultPrinter() {
    turn_.keepDefaultPrinter(savedDevice_);
    writeDevice(pdfWriterDevice_);
    ui_.doEvents();
    const std::string now = device();
    log("Standardprinter er nu: " + now);
    if (now != pdfWriterDevice_) {
        writeDevice(pdfWriterDevice_);
        ui_.doEvents();
    }
}

// Each PDF gets settings of its own: the settings of the PDF before it are
// cleared first, so that a PDF without a password is never locked with the
// password of another document, which its recipient does not know.
void MergeRun::writeJobSettings(const MergeDocument& record) {
    writer_.ResetPDFWriter();
    writer_.SetPDFWriterSetting("DisplayMode", "1");
    writer_.SetPDFWriterSetting("FileName", record.TargetPath);
    if (!record.PDFPassword.empty()) {
        writer_.SetPDFWriterSetting("UserPassword", record.PDFPassword);
        writer_.SetPDFWriterSetting("MasterPassword", OwnerPassword);
    }
    writer_.SetPDFWriterSetting("Security", "1");
    if (!record.PDFTemplate.empty() && record.UsePDFTemplate) {
        writer_.SetPDFWriterSetting("ApplyBackground", "1");
        writer_.SetPDFWriterSetting("BackgroundSource", record.PDFTemplate);
    } else {
        writer_.SetPDFWriterSetting("ApplyBackground", "0");
    }
}

// The document launcher hands the file to the shell. A file the shell cannot
// hand to the printer will never become a PDF: that ends the run at once, as
// a wait that runs out does.
bool MergeRun::printWithShell(const MergeDocument& record) {
    log("Åbner dokumentet: " + record.SourcePath + " med kommandoen Print");
    if (!context_.program.StartProgram) {
        throw Failure(failure::ObjectNotSet, "Print");
    }
    const int answer = context_.program.StartProgram(record.SourcePath, "Print");
    log("slut på DDE sektion");
    if (answer <= shellcode::LastError) {
        throw Failure(WordPrinting::TimeoutNumber,
                      "Dokumentet " + record.SourcePath + " kan ikke udskrives til pdf (" +
                          std::to_string(answer) + ")",
                      "Print");
    }
    return word_.waitForShellOutput(record.TargetPath) == OutputWait::Cancelled;
}

// The cancelled job may still be on its way: with its settings cleared the
// driver writes nothing, and a PDF it wrote before is removed, so that it is
// neither attached nor left behind.
void MergeRun::cancelled(const MergeDocument* record) {
    ui_.messageBox("Bruger anulleret", msgbox::OkOnly + msgbox::Information, "Lexitray");
    if (record) {
        word_.openReadOnly(record->SourcePath);
    }
    putDefaultPrinterBack();
    cleanUp();
    if (record) {
        ignoringFailure([&] { context_.platform.files.deleteFile(record->TargetPath, true); });
    }
}

// The user's default printer is put back however the run ends: left on the
// PDF writer, every later print of the user's, from any program, would
// silently become a PDF file.
void MergeRun::putDefaultPrinterBack() {
    if (!turn_.held()) {
        return;
    }
    if (device() != savedDevice_) {
        log("Forsøger at skifte standardprinter");
        writeDevice(savedDevice_);
        ui_.doEvents();
    } else {
        log("Standard printer er nu sat til " + savedDevice_);
    }
    turn_.forgetDefaultPrinter();
}

void MergeRun::putWordPrinterBack() {
    if (word_.attached()) {
        ignoringFailure([&] {
            if (WordApplication* word = word_.application()) {
                word->setActivePrinter(savedWordPrinter_);
            }
        });
    }
}

void MergeRun::releaseTurn() {
    if (turn_.held()) {
        writer_.ResetPDFWriter();
    }
    turn_.release();
}

void MergeRun::cleanUp() {
    word_.releaseDocument();
    putWordPrinterBack();
    word_.release();
    releaseTurn();
    log("Slut på MergeAndPrint");
}

void MergeRun::failed(const Failure& failure) {
    word_.releaseDocument();
    putWordPrinterBack();
    word_.release();
    ui_.doEvents();
    ignoringFailure([&] { putDefaultPrinterBack(); });
    releaseTurn();
    ui_.doEvents();
    log("Fejl i MailAndMerge log: " + failure.description() + " Fejlkode " +
        std::to_string(failure.number()));
    throw Failure(failure.number(), failure.description(), "Fejl i MailAndMerge");
}

} // namespace

DocumentList& MergeAndPrint(DocumentList& list, DocPrepContext& context) {
    MergeRun(context).run(list);
    return list;
}

} // namespace lexi
