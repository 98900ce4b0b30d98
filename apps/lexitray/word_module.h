#pragma once

#include "apps/lexitray/module_interfaces.h"
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
    // Derived from this header and every header it includes: any change of
    // this table or of the classes the program and the module hand each
    // other gives another version.
    static constexpr int InterfaceVersion = LEXITRAY_WORD_INTERFACE;

    int interfaceVersion;
    lexi::WordConnector* (*openWord)(const WordServices* services);
};

extern "C" const WordModule lexitray_word_module;
