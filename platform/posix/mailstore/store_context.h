#pragma once

#include "platform/clock.h"
#include "platform/compose_window.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/mailstore/mail_storage.h"
#include "platform/ui.h"

namespace lexi::mailstore {

class StoreItem;

// Hands a sent mail on: stamps it, files it and delivers it.
class MailSender {
public:
    virtual ~MailSender() = default;
    // Sends the mail; throws lexi::Failure when it cannot be handed on at all.
    virtual void send(StoreItem& mail) = 0;
};

// What every object of one opened store shares.
struct StoreContext {
    MailStorage& storage;
    Clock& clock;
    Ui& ui;
    OutlookWindows& windows;
    const posix::DriveTable& drives;
    MailSender& sender;
};

// Failure 438: the item's kind lacks the member.
[[noreturn]] void unsupportedMember();

// Failure 440 with Outlook's own words.
[[noreturn]] void storeRefuses(const std::string& description);

} // namespace lexi::mailstore
