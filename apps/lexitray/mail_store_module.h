#pragma once

#include "platform/clock.h"
#include "platform/outlook.h"
#include "platform/posix/drive_table.h"
#include "platform/ui.h"

// The module holding the local mail store (with the message files and mail
// delivery), beside the program, and its one entry: it opens Outlook over
// the store at the given path.
inline constexpr const char* MailStoreModuleName = "lexitray-mailstore.so";
inline constexpr const char* MailStoreModuleEntry = "lexitray_open_outlook";

struct MailStoreServices {
    const char* databasePath;
    lexi::Clock* clock;
    lexi::Ui* ui;
    const lexi::posix::DriveTable* drives;
};

extern "C" lexi::OutlookConnector* lexitray_open_outlook(const MailStoreServices* services);
