#include "docprep/cleaning_rule.h"

#include "docprep/cleanable_formats.h"

namespace lexi {

CleaningChoice cleaningChoice(std::string_view sourceExt, std::string_view targetExt,
                              bool pdfWriterInstalled) {
    if (targetExt == "pdf" && sourceExt != "pdf") {
        return pdfWriterInstalled ? CleaningChoice::Print : CleaningChoice::Refuse;
    }
    return cleanableExtension(sourceExt) && sourceExt == targetExt ? CleaningChoice::Clean
                                                                   : CleaningChoice::Refuse;
}

void tellNotCleaned(Ui& ui, RunLog& log, const std::string& sourcePath) {
    log.WriteLog("Kan ikke rense: " + sourcePath);
    ui.messageBox("Dokumentet " + sourcePath +
                      " kan ikke renses for skjulte oplysninger og bliver derfor ikke "
                      "vedhæftet.\r\n\r\nKun dokumenter af typerne " +
                      cleanableExtensionsText() + " kan renses.",
                  msgbox::OkOnly + msgbox::Exclamation, "Lexitray");
}

} // namespace lexi
