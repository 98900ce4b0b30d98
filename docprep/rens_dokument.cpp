#include "docprep/rens_dokument.h"

#include "docprep/cleanable_formats.h"
#include "platform/failure.h"

#include <chrono>

namespace lexi {
namespace {

const char* const HiddenDataTool =
    "C:\\Program Files\\Microsoft Office\\Remove Hidden Data Tool\\offrhd.exe";

// The tool cleans a document in seconds; a tool that takes longer than this
// is left to the user's confirmation alone.
constexpr std::chrono::milliseconds HiddenDataToolTimeLimit = std::chrono::minutes(2);

// The tool's command line that cleans `SourceFile` into `CleanFile`, with its
// log file on drive H.
std::string hiddenDataCommandLine(const std::string& SourceFile, const std::string& CleanFile) {
    const std::string q = "\"";
    return q + HiddenDataTool + q + " " + q + SourceFile + q + " " + q + CleanFile + q + " " +
           " /o /n:a /l: " + q + "h:\\rhdlog.txt" + q + " /m";
}

// Saves the cleaned document once more through Word, without the tool's
// read-only recommendation, beside it, and copies that over it.
void saveAgainThroughWord(Platform& platform, const std::string& CleanFile) {
    std::unique_ptr<WordApplication> word = platform.word.start();
    word->setVisible(false);
    {
        const std::unique_ptr<WordDocument> document = word->open(CleanFile, false, false, true);
        if (!document) {
            throw Failure(failure::ObjectNotSet, "RensDokument");
        }
        document->setReadOnlyRecommended(false);
        document->saveAs(CleanFile + "_");
        document->close(false);
    }
    platform.ui.doEvents();
    platform.files.deleteFile(CleanFile, false);
    platform.files.copyFile(CleanFile + "_", CleanFile, true);
    word.reset();
    platform.ui.doEvents();
}

} // namespace

std::string RensDokument(Platform& platform, RunLog& log, const std::string& SourceFile,
                         const std::string& CleanFile) {
    try {
        log.WriteLog("OprindeligtNavn: " + SourceFile);
        log.WriteLog("Nyt navn: " + CleanFile);
        const std::string commandLine = hiddenDataCommandLine(SourceFile, CleanFile);
        log.WriteLog("RENS-cmdstr er :  " + commandLine);
        // The user's confirmation alone would let a hasty click reach a
        // cleaned file that the tool is still writing: the tool's end is
        // waited for too, within a bound, before the user is asked.
        platform.processes.start(commandLine, ShowMode::Hidden)
            ->waitForExit(HiddenDataToolTimeLimit);
        platform.ui.doEvents();
        platform.ui.messageBox("Vent et øjeblik på at rensningen færdiggøres...\r\n\r\n"
                               "Når wordvinduet lukker, kan du fortsætte...",
                               msgbox::OkOnly + msgbox::Information, "Lexitray");

        // Word saves its own kinds again as they are; a PDF, a workbook or a
        // presentation it cannot, and the tool's copy is the result.
        if (wordSavesItsKind(CleanFile)) {
            saveAgainThroughWord(platform, CleanFile);
        } else if (!platform.files.exists(CleanFile)) {
            throw Failure(failure::FileNotFound, "RensDokument");
        }
        log.WriteLog("Navn på renset dokument:  " + CleanFile);
        return CleanFile;
    } catch (const Failure& failure) {
        log.WriteLog("Der opstod følgende fejl: " + failure.description());
        platform.ui.messageBox("Der opstod følgende fejl i RensDokument: " + failure.description(),
                               msgbox::OkOnly, "Lexitray");
        return {};
    }
}

} // namespace lexi
