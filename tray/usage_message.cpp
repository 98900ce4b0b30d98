#include "tray/usage_message.h"

namespace lexi {

void ShowUsageMessage(Ui& ui) {
    // The lines are separated by a carriage return alone.
    ui.messageBox("Lexitray er blevet kaldt med forkert syntaks. Mulighederne er:\r"
                  "LEXITRAY <DOKUMENT> <DDEKommando>\r"
                  "LEXITRAY MAIL\r"
                  "LEXITRAY drev=<lokaldrev>\r"
                  "LEXITRAY",
                  msgbox::Information, "Lexitray");
}

} // namespace lexi
