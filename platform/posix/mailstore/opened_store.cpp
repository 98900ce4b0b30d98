#include "platform/posix/mailstore/opened_store.h"

#include "platform/failure.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"

#include <filesystem>

namespace lexi::mailstore {

OpenedStore::OpenedStore(std::unique_ptr<MailStorage> storage, const StoreServices& services)
    : context_(std::make_shared<StoreContext>(std::move(storage), services)),
      application_(std::make_shared<StoreApplication>(context_)) {}

OpenedStore::~OpenedStore() {
    context_->close();
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
            throw Failure(failure::CannotCreateObject, "Outlook.Application");
        }
    }
    return store_->application();
}

} // namespace lexi::mailstore
