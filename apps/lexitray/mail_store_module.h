#pragma once

#include "apps/lexitray/module_interfaces.h"
#include "platform/clock.h"
#include "platform/outlook.h"
#include "platform/posix/drive_table.h"
#include "platform/ui.h"

// The module holding the local mail store (with the message files and mail
// delivery), and its entry: it opens Outlook over the store at the given
// path.

struct MailStoreServices {
    const char* databasePath;
    lexi::Clock* clock;
    lexi::Ui* ui;
    const lexi::posix::DriveTable* drives;
};

struct MailStoreModule {
    static constexpr const char* FileName = "lexitray-mailstore.so";
    static constexpr const char* EntryName = "lexitray_mail_store_module";
    // Derived from this header and every header it includes: any change of
    // this table or of the classes the program and the module hand each
    // other gives another version.
    static constexpr int InterfaceVersion = LEXITRAY_MAIL_STORE_INTERFACE;

    int interfaceVersion;
    lexi::OutlookConnector* (*openOutlook)(const MailStoreServices* services);
};

extern "C" const MailStoreModule lexitray_mail_store_module;
