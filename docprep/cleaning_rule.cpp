#include "docprep/cleaning_rule.h"

#include <algorithm>
#include <array>

namespace lexi {

CleaningChoice cleaningChoice(std::string_view sourceExt, std::string_view targetExt) {
    static constexpr std::array<std::string_view, 6> Cleanable = {"doc",  "docx", "odt",
                                                                  "xlsx", "pptx", "pdf"};
    if (targetExt == "pdf" && sourceExt != "pdf") {
        return CleaningChoice::Print;
    }
    const bool known = std::find(Cleanable.begin(), Cleanable.end(), sourceExt) != Cleanable.end();
    return known && sourceExt == targetExt ? CleaningChoice::Clean : CleaningChoice::Refuse;
}

void tellNotCleaned(Ui& ui, RunLog& log, const std::string& sourcePath) {
    log.WriteLog("Kan ikke rense: " + sourcePath);
    ui.messageBox("Dokumentet " + sourcePath +
                      " kan ikke renses for skjulte oplysninger og bliver derfor ikke "
                      "vedhæftet.\r\n\r\nKun dokumenter af typerne doc, docx, odt, xlsx, pptx "
                      "og pdf kan renses.",
                  msgbox::OkOnly + msgbox::Exclamation, "Lexitray");
}

} // namespace lexi
