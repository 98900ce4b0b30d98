#include "platform/posix/mailstore/opened_store.h"

#include "platform/failure.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/mailstore/store_mail_sender.h"

#include <filesystem>

namespace lexi::mailstore {

OpenedStore::OpenedStore(std::unique_ptr<MailStorage> storage, const StoreServices& services,
                         std::string databasePath)
    : context_(std::make_shared<StoreContext>(std::move(storage), services)),
      application_(std::make_shared<StoreApplication>(context_)),
      databasePath_(std::move(databasePath)) {
    context_->setCourier(this);
}

OpenedStore::~OpenedStore() {
    context_->close();
    if (try_.joinable()) {
        try_.join();
    }
}

void OpenedStore::deliverWaitingMail() {
    try {
        mailstore::deliverWaitingMail(context_, WaitingMailBudget);
    } catch (const Failure&) {
        // The mail keeps waiting for the next try.
    }
}

void OpenedStore::tryOutbox() {
    if (try_.joinable()) {
        if (!tryEnded_) {
            return;
        }
        try_.join();
    }
    try {
        if (!takeOutboxTurn(*context_)) {
            return;
        }
    } catch (const Failure&) {
        // A store that cannot note the turn is not tried.
        return;
    }
    if (databasePath_.empty()) {
        deliverWaitingMail();
        return;
    }
    tryEnded_ = false;
    try_ = std::thread([this, services = context_->services()] {
        try {
            const auto own = std::make_shared<StoreContext>(
                std::make_unique<SqliteMailStorage>(databasePath_), services);
            mailstore::deliverWaitingMail(own, WaitingMailBudget);
            own->close();
        } catch (const Failure&) {
            // The mail keeps waiting for the next turn.
        }
        tryEnded_ = true;
    });
}

LocalOutlook::LocalOutlook(std::string databasePath, Clock& clock, Ui& ui, OutlookWindows& windows,
                           const posix::DriveTable& drives, MailTransport& transport)
    : databasePath_(std::move(databasePath)), clock_(clock), ui_(ui), windows_(windows),
      drives_(drives), transport_(transport) {}

std::shared_ptr<OutlookApplication> LocalOutlook::running() {
    std::error_code ignored;
    if (!store_ && !std::filesystem::exists(databasePath_, ignored)) {
        return nullptr;
    }
    return start();
}

std::shared_ptr<OutlookApplication> LocalOutlook::start() {
    if (!store_) {
        try {
            store_ = std::make_unique<OpenedStore>(
                std::make_unique<SqliteMailStorage>(databasePath_),
                StoreServices{clock_, ui_, windows_, drives_, transport_}, databasePath_);
        } catch (const Failure& failure) {
            if (failure.description().starts_with(DamagedStore)) {
                throw Failure(failure::CannotCreateObject, failure.description(),
                              "Outlook.Application");
            }
            throw Failure(failure::CannotCreateObject, "Outlook.Application");
        }
    }
    return store_->application();
}

} // namespace lexi::mailstore
