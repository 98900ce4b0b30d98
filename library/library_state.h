#pragma once

#include "library/text_table.h"
#include "shared/pdfwriter/pdf_writer.h"

#include <cstdint>
#include <string>

namespace lexi {

// What every object of the library sees alike, for as long as the library is
// loaded in its host.
struct LibraryState {
    // The header of the mail last analysed: row 1, columns 0 to 5.
    TextTable MailPrps;
    // One record per item the transfer dialog saved: fields 0 to 6.
    TextTable OlMailInfo;
    std::int16_t OlMailCount = 0;
    // The case folder the transfer dialog saves into.
    std::string TransferFolder;
    // The start folder given to HentDir, and the folder it chose.
    std::string DirStartPath;
    std::string DirChosenPath;
    // The text pop-up's whole text, lines separated by CR LF.
    std::string TextBuffer;
    // The pop-up's accepted text cut into lines: row 1, from column 1.
    TextTable TextLines;
    // Whether the pop-up was last closed with OK.
    bool TextAccepted = false;
    // What PDFWriter remembers between its two calls.
    PDFWriterState pdfWriter;
};

} // namespace lexi
