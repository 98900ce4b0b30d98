// The local mail store as a module the program loads on first use, so that
// a request that needs no mail does not pay for loading the message-file,
// database and mail-delivery libraries.

#include "apps/lexitray/mail_store_module.h"

#include "platform/posix/mailstore/opened_store.h"
#include "platform/posix/mailstore/smtp_transport.h"

namespace {

// Outlook over the store, delivering through the account's mail server.
class StoreOutlook final : public lexi::OutlookConnector {
public:
    explicit StoreOutlook(const MailStoreServices& services)
        : outlook_(services.databasePath, *services.clock, *services.ui, *services.ui,
                   *services.drives, mailServer_) {}

    std::shared_ptr<lexi::OutlookApplication> running() override { return outlook_.running(); }
    std::shared_ptr<lexi::OutlookApplication> start() override { return outlook_.start(); }

private:
    lexi::mailstore::SmtpTransport mailServer_;
    lexi::mailstore::LocalOutlook outlook_;
};

lexi::OutlookConnector* openOutlook(const MailStoreServices* services) {
    return new StoreOutlook(*services);
}

} // namespace

extern "C" __attribute__((visibility("default")))
const MailStoreModule lexitray_mail_store_module = {MailStoreModule::InterfaceVersion,
                                                    &openOutlook};
