#pragma once

#include "platform/clock.h"
#include "platform/compose_window.h"
#include "platform/posix/drive_table.h"
#include "platform/posix/mailstore/mail_storage.h"
#include "platform/posix/mailstore/mail_transport.h"
#include "platform/ui.h"

#include <memory>

namespace lexi::mailstore {

// The services of the program that opened the store; they are that
// program's, not the store's.
struct StoreServices {
    Clock& clock;
    Ui& ui;
    OutlookWindows& windows;
    const posix::DriveTable& drives;
    MailTransport& transport;
};

// Who tries the Outbox when the program asks Outlook to send and receive.
class OutboxCourier {
public:
    virtual ~OutboxCourier() = default;
    // Starts a try when the store's turn is due, and returns without waiting
    // for it.
    virtual void tryOutbox() = 0;
};

// What every object of one opened store shares. Each object holds it, so the
// storage lasts as long as the last object a program keeps. The services may
// go with their owner: once the opener has closed the store, every call that
// needs them fails.
class StoreContext {
public:
    StoreContext(std::unique_ptr<MailStorage> storage, const StoreServices& services)
        : storage_(std::move(storage)), services_(services) {}

    MailStorage& storage() { return *storage_; }
    // Failure 440 once the store is closed.
    const StoreServices& services() const;
    void close() { open_ = false; }

    // The opener's courier; none until it sets one, and none once closed.
    void setCourier(OutboxCourier* courier) { courier_ = courier; }
    OutboxCourier* courier() const { return open_ ? courier_ : nullptr; }

private:
    std::unique_ptr<MailStorage> storage_;
    StoreServices services_;
    OutboxCourier* courier_ = nullptr;
    bool open_ = true;
};

using ContextPtr = std::shared_ptr<StoreContext>;

// Failure 438: the item's kind lacks the member.
[[noreturn]] void unsupportedMember();

// Failure 440 with Outlook's own words.
[[noreturn]] void storeRefuses(const std::string& description);

} // namespace lexi::mailstore
