#pragma once

#include <windows.h>
// After windows.h, whose types it takes.
#include <commctrl.h>

namespace lexi::win32 {

// The small symbols a folder's table shows for its items, in the order of
// an image list: the item's kind, its attachment, its flag and importance.
enum class ItemSymbol {
    Mail,
    Report,
    Meeting,
    Contact,
    Task,
    OtherItem,
    Attachment,
    Flagged,
    FlagComplete,
    HighImportance,
    LowImportance,
};

// The symbol of an item's Class number.
ItemSymbol symbolOfClass(int itemClass);

// The symbols drawn at `size` pixels square, as an image list the caller
// destroys. Drawn rather than loaded, so they need no font or artwork of
// the workstation's. Null when the common controls cannot be had.
HIMAGELIST makeItemSymbols(int size);
void destroyItemSymbols(HIMAGELIST symbols);

} // namespace lexi::win32
