#include "platform/posix/mailstore/opened_store.h"

#include "platform/failure.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"
#include "platform/posix/mailstore/store_mail_sender.h"

#include <filesystem>

namespace lexi::mailstore {

OpenedStore::OpenedStore(std::unique_ptr<MailStorage> storage, const StoreServices& services)
    : context_(std::make_shared<StoreContext>(std::move(storage), services)),
      application_(std::make_shared<StoreApplication>(context_)) {}

OpenedStore::~OpenedStore() {
    context_->close();
}

void OpenedStore::deliverWaitingMail() {
    try {
        mailstore::deliverWaitingMail(context_, WaitingMailBudget);
    } catch (const Failure&) {
        // The mail keeps waiting for the next opening.
    }
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
                StoreServices{clock_, ui_, windows_, drives_, transport_});
        } catch (const Failure& failure) {
            if (failure.description().starts_with(DamagedStore)) {
                throw Failure(failure::CannotCreateObject, failure.description(),
                              "Outlook.Application");
            }
            throw Failure(failure::CannotCreateObject, "Outlook.Application");
        }
        store_->deliverWaitingMail();
    }
    return store_->application();
}

} // namespace lexi::mailstore
