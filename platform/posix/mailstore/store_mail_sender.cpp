#include "platform/posix/mailstore/store_mail_sender.h"

#include "platform/failure.h"
#include "platform/outlook.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/mailstore/store_item.h"

namespace lexi::mailstore {

StoreMailSender::StoreMailSender(MailStorage& storage, Clock& clock, Ui& ui,
                                 MailTransport& transport)
    : storage_(storage), clock_(clock), ui_(ui), transport_(transport) {}

void StoreMailSender::file(StoreItem& mail, int folder) {
    mail.folder_ = folder;
    if (mail.entryId_.empty() || !storage_.replace(mail.entryId_, folder, mail.message_)) {
        mail.entryId_ = storage_.add(folder, mail.message_);
    }
}

void StoreMailSender::send(StoreItem& mail) {
    const Account account = storage_.account();
    msgfile::Message& message = mail.message_;
    message.senderName = account.displayName;
    message.senderAddress = account.address;
    message.senderAddressType = "SMTP";
    const msgfile::Time now = fromLocal(clock_.now());
    message.sentOn = now;
    message.receivedTime = now;
    message.flags = (message.flags & ~msgfile::message_flag::Unsent) | msgfile::message_flag::Read;

    if (!account.smtpUrl.empty()) {
        try {
            transport_.deliver(message, account);
        } catch (const Failure& failure) {
            message.sentOn = msgfile::NoDate;
            message.flags |= msgfile::message_flag::Unsent;
            file(mail, outlook::FolderOutbox);
            ui_.messageBox("Mailen kunne ikke sendes og ligger i Udbakke.\r\n\r\n" +
                               failure.description(),
                           msgbox::Critical, "Outlook");
            return;
        }
    }
    file(mail, outlook::FolderSentItems);
}

} // namespace lexi::mailstore
