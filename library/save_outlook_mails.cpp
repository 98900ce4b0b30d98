#include "library/save_outlook_mails.h"

#include "library/filfunc.h"
#include "library/frm_outlook.h"

namespace lexi {

std::int16_t SaveOutlookMails(const std::string& Path, LibraryState& state, Platform& platform) {
    state.TransferFolder = Path;
    bool folderThere = platform.files.isFolder(state.TransferFolder);
    if (!folderThere &&
        platform.ui.messageBox("Mappen " + state.TransferFolder + " findes ikke!\r\n\r\n" +
                                   "Skal mappen oprettes?",
                               msgbox::YesNo | msgbox::Information | msgbox::DefaultButton2,
                               LibraryTitle) == msgbox::Yes) {
        Filfunc filfunc(platform.files, platform.ui, platform.processes, platform.word, state);
        const std::string made = filfunc.OpretMappe(state.TransferFolder);
        folderThere = made == "OK" && platform.files.isFolder(state.TransferFolder);
        if (!folderThere) {
            platform.ui.messageBox("Mappen " + state.TransferFolder + " kunne ikke oprettes." +
                                       (made == "OK" ? std::string() : "\r\n\r\n" + made),
                                   msgbox::OkOnly | msgbox::Critical, LibraryTitle);
        }
    }
    if (folderThere) {
        frmOutlook(state, platform).show();
    }
    return state.OlMailCount;
}

} // namespace lexi
