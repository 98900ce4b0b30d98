#pragma once

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
    // Raised with every change of this table, of MailStoreServices or of the
    // classes the program and the module hand each other (lexi::Outlook* and
    // the services' classes).
    static constexpr int InterfaceVersion = 3;

    int interfaceVersion;
    lexi::OutlookConnector* (*openOutlook)(const MailStoreServices* services);
};

extern "C" const MailStoreModule lexitray_mail_store_module;
