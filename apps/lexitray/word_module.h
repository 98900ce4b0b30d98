#pragma once

#include "platform/posix/drive_table.h"
#include "platform/printers.h"
#include "platform/word.h"

// The module holding Word on LibreOffice (with LibreOffice's automation
// libraries), and its entry: it opens Word over the home's warm instance.

struct WordServices {
    const char* home;
    const lexi::posix::DriveTable* drives;
    lexi::Printers* printers;
};

struct WordModule {
    static constexpr const char* FileName = "lexitray-word.so";
    static constexpr const char* EntryName = "lexitray_word_module";
    // Raised with every change of this table, of WordServices or of the
    // classes the program and the module hand each other (lexi::Word* and
    // the services' classes).
    static constexpr int InterfaceVersion = 2;

    int interfaceVersion;
    lexi::WordConnector* (*openWord)(const WordServices* services);
};

extern "C" const WordModule lexitray_word_module;
