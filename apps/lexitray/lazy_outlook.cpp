#include "apps/lexitray/lazy_outlook.h"

#include "apps/lexitray/mail_store_module.h"
#include "apps/lexitray/program_module.h"
#include "platform/failure.h"

#include <filesystem>

namespace lexi {

LazyOutlook::LazyOutlook(std::string databasePath, Clock& clock, Ui& ui,
                         const posix::DriveTable& drives)
    : databasePath_(std::move(databasePath)), clock_(clock), ui_(ui), drives_(drives) {}

LazyOutlook::~LazyOutlook() = default;

OutlookConnector& LazyOutlook::loaded() {
    if (!outlook_) {
        const MailStoreModule* module = loadModule<MailStoreModule>();
        if (!module) {
            throw Failure(failure::CannotCreateObject, "Outlook.Application");
        }
        const MailStoreServices services{databasePath_.c_str(), &clock_, &ui_, &drives_};
        outlook_.reset(module->openOutlook(&services));
    }
    return *outlook_;
}

std::shared_ptr<OutlookApplication> LazyOutlook::running() {
    std::error_code ignored;
    if (!outlook_ && !std::filesystem::exists(databasePath_, ignored)) {
        return nullptr;
    }
    return loaded().running();
}

std::shared_ptr<OutlookApplication> LazyOutlook::start() {
    return loaded().start();
}

} // namespace lexi
