#include "platform/posix/mailstore/store_mail_sender.h"

#include "platform/failure.h"
#include "platform/outlook.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/mailstore/store_item.h"

namespace lexi::mailstore {

void sendMail(StoreContext& context, StoreItem& mail) {
    const StoreServices& services = context.services();
    const Account account = context.storage().account();
    msgfile::Message& message = mail.message();
    message.senderName = account.displayName;
    message.senderAddress = account.address;
    message.senderAddressType = "SMTP";
    const msgfile::Time now = fromLocal(services.clock.now());
    message.sentOn = now;
    message.receivedTime = now;
    message.flags = (message.flags & ~msgfile::message_flag::Unsent) | msgfile::message_flag::Read;

    if (!account.smtpUrl.empty()) {
        try {
            services.transport.deliver(message, account);
        } catch (const Failure& failure) {
            message.sentOn = msgfile::NoDate;
            message.flags |= msgfile::message_flag::Unsent;
            mail.fileIn(outlook::FolderOutbox);
            services.ui.messageBox("Mailen kunne ikke sendes og ligger i Udbakke.\r\n\r\n" +
                                       failure.description(),
                                   msgbox::Critical, "Outlook");
            return;
        }
    }
    mail.fileIn(outlook::FolderSentItems);
}

} // namespace lexi::mailstore
