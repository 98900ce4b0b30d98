#pragma once

#include "platform/posix/mailstore/store_mail_sender.h"
#include "platform/posix/mailstore/store_outlook.h"

#include <memory>

namespace lexi::mailstore {

// One mail store opened as an Outlook application: its storage, the way its
// mail leaves, and the objects its items share.
class OpenedStore {
public:
    OpenedStore(std::unique_ptr<MailStorage> storage, Clock& clock, Ui& ui, OutlookWindows& windows,
                const posix::DriveTable& drives, MailTransport& transport);

    MailStorage& storage() { return *storage_; }
    std::shared_ptr<StoreApplication> application() { return application_; }

private:
    std::unique_ptr<MailStorage> storage_;
    StoreMailSender sender_;
    StoreContext context_;
    std::shared_ptr<StoreApplication> application_;
};

// Outlook on this workstation: the local mail store in an SQLite file. It
// counts as running once the store exists; starting it creates the store.
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
