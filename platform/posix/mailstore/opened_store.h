#pragma once

#include "platform/posix/mailstore/store_outlook.h"

#include <atomic>
#include <memory>
#include <thread>

namespace lexi::mailstore {

// One mail store opened as an Outlook application over the opener's
// services. Closing it (when it goes) lets go of those services: the objects
// a program still holds keep the storage, and fail where they need more.
//
// It tries the Outbox when the program asks Outlook to send and receive and
// the store's turn is due: in a thread of its own with a connection of its
// own to the database at `databasePath`, so that the program's work never
// waits on the mail server; at once, in the caller's thread, for a store
// without one (in memory, for tests). Closing waits for a try that runs.
class OpenedStore final : private OutboxCourier {
public:
    OpenedStore(std::unique_ptr<MailStorage> storage, const StoreServices& services,
                std::string databasePath = {});
    ~OpenedStore() override;
    OpenedStore(const OpenedStore&) = delete;
    OpenedStore& operator=(const OpenedStore&) = delete;

    MailStorage& storage() { return context_->storage(); }
    std::shared_ptr<StoreApplication> application() { return application_; }

    // Tries once more to deliver the mail that waits in the Outbox, now and
    // within a few seconds, turn or not; what fails keeps waiting, unreported.
    void deliverWaitingMail();

private:
    void tryOutbox() override;

    ContextPtr context_;
    std::shared_ptr<StoreApplication> application_;
    std::string databasePath_;
    std::thread try_;
    std::atomic<bool> tryEnded_{false};
};

// Outlook on this workstation: the local mail store in an SQLite file. It
// counts as running once the store exists; starting it creates the store. A
// damaged store cannot be started, and the failure says so.
class LocalOutlook final : public OutlookConnector {
public:
    LocalOutlook(std::string databasePath, Clock& clock, Ui& ui, OutlookWindows& windows,
                 const posix::DriveTable& drives, MailTransport& transport);

    std::shared_ptr<OutlookApplication> running() override;
    std::shared_ptr<OutlookApplication> start() override;

private:
    std::string databasePath_;
    Clock& clock_;
    Ui& ui_;
    OutlookWindows& windows_;
    const posix::DriveTable& drives_;
    MailTransport& transport_;
    std::unique_ptr<OpenedStore> store_;
};

} // namespace lexi::mailstore
