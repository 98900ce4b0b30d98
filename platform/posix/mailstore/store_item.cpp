#include "platform/posix/mailstore/store_item.h"

#include "platform/failure.h"
#include "platform/posix/mailstore/file_in_place.h"
#include "platform/posix/mailstore/item_kind.h"
#include "platform/posix/mailstore/item_properties.h"
#include "platform/posix/mailstore/item_window.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/mailstore/store_mail_sender.h"
#include "platform/posix/msgfile/message_file.h"
#include "platform/text.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace lexi::mailstore {

namespace {

constexpr std::initializer_list<int> MessageClasses = {outlook::ClassMail, outlook::ClassReport,
                                                       outlook::ClassMeetingRequest,
                                                       outlook::ClassMeetingCancellation};

// "Navn <adresse>", an address, or a name not yet resolved.
msgfile::Recipient parseRecipient(std::string_view typed, msgfile::RecipientType type) {
    msgfile::Recipient recipient;
    recipient.type = type;
    const std::string_view trimmed = text::trimSpaces(typed);
    const std::size_t open = trimmed.find('<');
    const std::size_t close = trimmed.rfind('>');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
        recipient.address = text::trimSpaces(trimmed.substr(open + 1, close - open - 1));
        std::string_view name = text::trimSpaces(trimmed.substr(0, open));
        if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
            name = name.substr(1, name.size() - 2);
        }
        recipient.displayName = name.empty() ? recipient.address : std::string(name);
    } else {
        recipient.displayName = trimmed;
        if (trimmed.find('@') != std::string_view::npos) {
            recipient.address = trimmed;
        }
    }
    return recipient;
}

std::string hostPathOf(const posix::DriveTable& drives, std::string_view path) {
    const auto host = drives.toHost(path);
    if (!host) {
        storeRefuses("Cannot find this file. Verify the path and file name are correct.");
    }
    return *host;
}

} // namespace

// The recipients of the item, kept in its message.
class StoreItem::Recipients final : public OutlookRecipients {
public:
    explicit Recipients(StoreItem& item) : item_(item) {}

    int count() override { return static_cast<int>(item_.message().recipients.size()); }

    std::shared_ptr<OutlookRecipient> item(int index) override {
        if (index < 1 || index > count()) {
            storeRefuses("Array index out of bounds.");
        }
        return std::make_shared<Recipient>(item_.shared_from_this(), index - 1);
    }

    std::shared_ptr<OutlookRecipient> add(std::string_view typed) override {
        item_.message().recipients.push_back(parseRecipient(typed, msgfile::RecipientType::To));
        item_.refreshDisplayLines();
        return item(count());
    }

    bool resolveAll() override {
        bool all = true;
        for (const msgfile::Recipient& recipient : item_.message().recipients) {
            all = all && !recipient.address.empty();
        }
        return all;
    }

private:
    class Recipient final : public OutlookRecipient {
    public:
        Recipient(std::shared_ptr<StoreItem> item, std::size_t index)
            : item_(std::move(item)), index_(index) {}
        std::string name() override { return entry().displayName; }
        std::string address() override { return entry().address; }
        int type() override { return static_cast<int>(entry().type); }
        void setType(int type) override {
            entry().type = static_cast<msgfile::RecipientType>(type);
            item_->refreshDisplayLines();
        }

    private:
        msgfile::Recipient& entry() {
            if (index_ >= item_->message().recipients.size()) {
                storeRefuses("The recipient has been removed.");
            }
            return item_->message().recipients[index_];
        }
        // The handle keeps its item, however long it is held.
        std::shared_ptr<StoreItem> item_;
        std::size_t index_;
    };

    StoreItem& item_;
};

// The attachments of the item, kept by value in its message.
class StoreItem::Attachments final : public OutlookAttachments {
public:
    explicit Attachments(StoreItem& item) : item_(item) {}

    int count() override { return static_cast<int>(item_.message().attachments.size()); }

    std::shared_ptr<OutlookAttachment> item(int index) override {
        if (index < 1 || index > count()) {
            storeRefuses("Array index out of bounds.");
        }
        return std::make_shared<Attachment>(item_.shared_from_this(), index - 1);
    }

    std::shared_ptr<OutlookAttachment> add(std::string_view path, int, int position,
                                           std::string_view displayName) override {
        const std::string host = hostPathOf(item_.context_->services().drives, path);
        std::ifstream file(host, std::ios::binary);
        if (!file || std::filesystem::is_directory(host)) {
            storeRefuses("Cannot find this file. Verify the path and file name are correct.");
        }
        msgfile::Attachment attachment;
        attachment.data.assign(std::istreambuf_iterator<char>(file),
                               std::istreambuf_iterator<char>());
        attachment.longFileName = std::filesystem::path(host).filename().string();
        attachment.fileName = attachment.longFileName;
        attachment.displayName =
            displayName.empty() ? attachment.longFileName : std::string(displayName);
        attachment.renderingPosition = position < 0 ? -1 : position;
        item_.message().attachments.push_back(std::move(attachment));
        item_.message().flags |= msgfile::message_flag::HasAttachments;
        return item(count());
    }

private:
    class Attachment final : public OutlookAttachment {
    public:
        Attachment(std::shared_ptr<StoreItem> item, std::size_t index)
            : item_(std::move(item)), index_(index) {}
        std::string displayName() override { return entry().displayName; }
        std::string fileName() override { return entry().longFileName; }
        std::int64_t size() override { return static_cast<std::int64_t>(entry().data.size()); }
        int position() override { return entry().renderingPosition; }
        void setPosition(int position) override { entry().renderingPosition = position; }

    private:
        msgfile::Attachment& entry() {
            if (index_ >= item_->message().attachments.size()) {
                storeRefuses("The attachment has been removed.");
            }
            return item_->message().attachments[index_];
        }
        std::shared_ptr<StoreItem> item_;
        std::size_t index_;
    };

    StoreItem& item_;
};

StoreItem::StoreItem(ContextPtr context, msgfile::Message message)
    : context_(std::move(context)), message_(std::move(message)),
      recipients_(std::make_unique<Recipients>(*this)),
      attachments_(std::make_unique<Attachments>(*this)) {}

StoreItem::StoreItem(ContextPtr context, StoredItem stored)
    : context_(std::move(context)), summary_(std::move(stored.summary)),
      entryId_(std::move(stored.entryId)), folder_(stored.folder),
      recipients_(std::make_unique<Recipients>(*this)),
      attachments_(std::make_unique<Attachments>(*this)) {}

StoreItem::~StoreItem() = default;

msgfile::Message& StoreItem::message() {
    if (!message_) {
        message_ = context_->storage().message(entryId_);
        if (!message_) {
            storeRefuses("The item has been moved or deleted.");
        }
    }
    return *message_;
}

void StoreItem::require(std::initializer_list<int> classes) {
    const int mine = itemClass();
    for (const int allowed : classes) {
        if (allowed == mine) {
            return;
        }
    }
    unsupportedMember();
}

void StoreItem::requireMessage() {
    require(MessageClasses);
}

std::string& StoreItem::text(std::initializer_list<int> classes,
                             std::string msgfile::Message::*field) {
    require(classes);
    return message().*field;
}

int StoreItem::itemClass() {
    return classOfMessage(summarized(&ItemSummary::messageClass, &msgfile::Message::messageClass));
}

std::string StoreItem::entryId() {
    return entryId_;
}

std::string StoreItem::subject() {
    return summarized(&ItemSummary::subject, &msgfile::Message::subject);
}

void StoreItem::setSubject(std::string_view subject) {
    setItemSubject(message(), subject);
}

std::string StoreItem::body() {
    return message().body;
}

void StoreItem::setBody(std::string_view body) {
    message().body = body;
}

LocalDateTime StoreItem::creationTime() {
    return toLocal(message().creationTime);
}

void StoreItem::save() {
    addItemProperties(message());
    if (entryId_.empty()) {
        folder_ = homeFolderOfClass(itemClass());
        entryId_ = context_->storage().add(folder_, message());
    } else if (!context_->storage().replace(entryId_, folder_, message())) {
        storeRefuses("The item has been moved or deleted.");
    }
}

void StoreItem::fileIn(int folder) {
    addItemProperties(message());
    if (entryId_.empty() || !context_->storage().replace(entryId_, folder, message())) {
        entryId_ = context_->storage().add(folder, message());
    }
    folder_ = folder;
}

void StoreItem::saveAs(std::string_view path) {
    const std::string host = hostPathOf(context_->services().drives, path);
    addItemProperties(message());
    writeFileInPlace(host, msgfile::writeMessage(message()));
}

void StoreItem::addSignature() {
    const std::string signature = context_->storage().account().signature;
    if (signature.empty()) {
        return;
    }
    if (message().bodyFormat == msgfile::BodyFormat::Html) {
        std::string html = signature;
        for (std::size_t at = html.find('\n'); at != std::string::npos; at = html.find('\n', at)) {
            html.replace(at, 1, "<br>");
        }
        message().htmlBody += "<br><br>" + html;
    } else {
        message().body += "\r\n\r\n" + signature;
    }
}

void StoreItem::display(bool modal) {
    const bool firstShowingOfANewMail = !displayed_ && entryId_.empty() &&
                                        itemClass() == outlook::ClassMail &&
                                        (message().flags & msgfile::message_flag::Unsent) != 0;
    if (firstShowingOfANewMail) {
        addSignature();
    }
    displayed_ = true;
    if (!modal) {
        // Tasks, task requests and contacts open their own windows; a mail
        // shown without waiting has nothing to wait for here.
        if (const auto window = itemWindowContent(message())) {
            context_->services().windows.showItemWindow(*window);
        }
        return;
    }
    requireMessage();
    // Keep this item alive while its window runs the handlers.
    const auto self = shared_from_this();
    ComposeWindow window(composeFields(), *this);
    window_ = &window;
    context_->services().windows.showComposeWindow(window);
    window_ = nullptr;
}

void StoreItem::close(int saveMode) {
    if (saveMode != outlook::Discard && !entryId_.empty()) {
        save();
    }
}

void StoreItem::deleteItem() {
    if (entryId_.empty()) {
        return;
    }
    if (folder_ == outlook::FolderDeletedItems) {
        context_->storage().remove(entryId_);
        entryId_.clear();
        return;
    }
    folder_ = outlook::FolderDeletedItems;
    if (!context_->storage().replace(entryId_, folder_, message())) {
        storeRefuses("The item has been moved or deleted.");
    }
}

LocalDateTime StoreItem::sentOn() {
    requireMessage();
    return toLocal(summarized(&ItemSummary::sentOn, &msgfile::Message::sentOn));
}

LocalDateTime StoreItem::receivedTime() {
    requireMessage();
    return toLocal(summarized(&ItemSummary::receivedTime, &msgfile::Message::receivedTime));
}

void StoreItem::refreshDisplayLines() {
    const auto line = [&](msgfile::RecipientType type) {
        std::string joined;
        for (const msgfile::Recipient& recipient : message().recipients) {
            if (recipient.type == type) {
                joined += (joined.empty() ? "" : "; ") + recipient.displayName;
            }
        }
        return joined;
    };
    message().displayTo = line(msgfile::RecipientType::To);
    message().displayCc = line(msgfile::RecipientType::Cc);
    message().displayBcc = line(msgfile::RecipientType::Bcc);
}

void StoreItem::setRecipientsOfType(msgfile::RecipientType type, std::string_view line) {
    std::erase_if(message().recipients,
                  [&](const msgfile::Recipient& recipient) { return recipient.type == type; });
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find(';', start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        if (!text::trimSpaces(line.substr(start, end - start)).empty()) {
            message().recipients.push_back(parseRecipient(line.substr(start, end - start), type));
        }
        start = end + 1;
    }
    refreshDisplayLines();
}

std::string StoreItem::to() {
    requireMessage();
    return message().displayTo;
}

void StoreItem::setTo(std::string_view to) {
    requireMessage();
    setRecipientsOfType(msgfile::RecipientType::To, to);
}

std::string StoreItem::bcc() {
    requireMessage();
    return message().displayBcc;
}

void StoreItem::setBcc(std::string_view bcc) {
    requireMessage();
    setRecipientsOfType(msgfile::RecipientType::Bcc, bcc);
}

std::string StoreItem::htmlBody() {
    return text(MessageClasses, &msgfile::Message::htmlBody);
}

void StoreItem::setHtmlBody(std::string_view html) {
    text(MessageClasses, &msgfile::Message::htmlBody) = html;
    message().bodyFormat = msgfile::BodyFormat::Html;
}

int StoreItem::bodyFormat() {
    requireMessage();
    return message().bodyFormat == msgfile::BodyFormat::Unspecified
               ? outlook::FormatPlain
               : static_cast<int>(message().bodyFormat);
}

std::string StoreItem::senderName() {
    return text(MessageClasses, &msgfile::Message::senderName);
}

std::string StoreItem::billingInformation() {
    return summarized(&ItemSummary::billingInformation, &msgfile::Message::billingInformation);
}

void StoreItem::setBillingInformation(std::string_view text) {
    message().billingInformation = text;
}

std::string StoreItem::mileage() {
    return summarized(&ItemSummary::mileage, &msgfile::Message::mileage);
}

void StoreItem::setMileage(std::string_view text) {
    message().mileage = text;
}

// Mail of the store always leaves from its own account: there is no one else
// to send on behalf of, and nothing to keep.
void StoreItem::setSentOnBehalfOfName(std::string_view) {
    requireMessage();
}

OutlookRecipients& StoreItem::recipients() {
    require({outlook::ClassMail, outlook::ClassMeetingRequest, outlook::ClassMeetingCancellation,
             outlook::ClassTask});
    return *recipients_;
}

OutlookAttachments& StoreItem::attachments() {
    return *attachments_;
}

ItemPtr StoreItem::copy() {
    requireMessage();
    auto duplicate = std::make_shared<StoreItem>(context_, message());
    duplicate->displayed_ = displayed_;
    return duplicate;
}

LocalDateTime StoreItem::dueDate() {
    require({outlook::ClassTask});
    return toLocal(message().taskDueDate);
}

void StoreItem::setDueDate(const LocalDateTime& date) {
    require({outlook::ClassTask});
    message().taskDueDate = fromLocal(date);
}

int StoreItem::status() {
    require({outlook::ClassTask});
    return static_cast<int>(message().taskStatus);
}

void StoreItem::setStatus(int status) {
    require({outlook::ClassTask});
    if (status < 0 || status > 4) {
        storeRefuses("The property value is out of range.");
    }
    message().taskStatus = static_cast<msgfile::TaskStatus>(status);
    if (status == outlook::TaskComplete) {
        if (message().taskDateCompleted == msgfile::NoDate) {
            LocalDateTime today = context_->services().clock.now();
            today.hour = today.minute = today.second = 0;
            message().taskDateCompleted = fromLocal(today);
        }
    } else {
        message().taskDateCompleted = msgfile::NoDate;
    }
}

LocalDateTime StoreItem::dateCompleted() {
    require({outlook::ClassTask});
    return toLocal(message().taskDateCompleted);
}

void StoreItem::assign() {
    require({outlook::ClassTask});
    message().messageClass = "IPM.TaskRequest";
}

std::string StoreItem::fullName() {
    return text({outlook::ClassContact}, &msgfile::Message::contactFullName);
}
void StoreItem::setFullName(std::string_view value) {
    text({outlook::ClassContact}, &msgfile::Message::contactFullName) = value;
}
std::string StoreItem::companyName() {
    return text({outlook::ClassContact}, &msgfile::Message::companyName);
}
void StoreItem::setCompanyName(std::string_view value) {
    text({outlook::ClassContact}, &msgfile::Message::companyName) = value;
}
std::string StoreItem::businessAddress() {
    return text({outlook::ClassContact}, &msgfile::Message::businessAddress);
}
void StoreItem::setBusinessAddress(std::string_view value) {
    text({outlook::ClassContact}, &msgfile::Message::businessAddress) = value;
}
std::string StoreItem::email1Address() {
    return text({outlook::ClassContact}, &msgfile::Message::email1Address);
}
void StoreItem::setEmail1Address(std::string_view value) {
    text({outlook::ClassContact}, &msgfile::Message::email1Address) = value;
}
std::string StoreItem::businessTelephoneNumber() {
    return text({outlook::ClassContact}, &msgfile::Message::businessTelephoneNumber);
}
void StoreItem::setBusinessTelephoneNumber(std::string_view value) {
    text({outlook::ClassContact}, &msgfile::Message::businessTelephoneNumber) = value;
}
std::string StoreItem::businessFaxNumber() {
    return text({outlook::ClassContact}, &msgfile::Message::businessFaxNumber);
}
void StoreItem::setBusinessFaxNumber(std::string_view value) {
    text({outlook::ClassContact}, &msgfile::Message::businessFaxNumber) = value;
}
std::string StoreItem::profession() {
    return text({outlook::ClassContact}, &msgfile::Message::profession);
}
void StoreItem::setProfession(std::string_view value) {
    text({outlook::ClassContact}, &msgfile::Message::profession) = value;
}

ItemPtr StoreItem::getAssociatedAppointment(bool) {
    require({outlook::ClassMeetingRequest, outlook::ClassMeetingCancellation});
    msgfile::Message appointment;
    appointment.messageClass = "IPM.Appointment";
    appointment.subject = message().subject;
    appointment.meetingStart = message().meetingStart;
    appointment.creationTime = message().creationTime;
    return std::make_shared<StoreItem>(context_, std::move(appointment));
}

LocalDateTime StoreItem::start() {
    require({outlook::ClassAppointment, outlook::ClassMeetingRequest,
             outlook::ClassMeetingCancellation});
    return toLocal(message().meetingStart);
}

ComposeFields StoreItem::composeFields() {
    ComposeFields fields;
    fields.to = message().displayTo;
    fields.bcc = message().displayBcc;
    fields.subject = message().subject;
    fields.html = message().bodyFormat == msgfile::BodyFormat::Html;
    fields.body = fields.html ? message().htmlBody : message().body;
    for (const msgfile::Attachment& attachment : message().attachments) {
        fields.attachments.push_back(attachment.displayName);
    }
    return fields;
}

void StoreItem::apply(const ComposeFields& fields) {
    const ComposeFields shown = composeFields();
    if (fields.to != shown.to) {
        setRecipientsOfType(msgfile::RecipientType::To, fields.to);
    }
    if (fields.bcc != shown.bcc) {
        setRecipientsOfType(msgfile::RecipientType::Bcc, fields.bcc);
    }
    if (fields.subject != shown.subject) {
        setItemSubject(message(), fields.subject);
    }
    (shown.html ? message().htmlBody : message().body) = fields.body;
}

bool StoreItem::send(const ComposeFields& fields) {
    apply(fields);
    const auto refused = [&] {
        if (window_) {
            window_->setSendResult(SendResult::Refused);
        }
        return false;
    };
    // A mail whose names do not resolve is not sent at all: no send event.
    if (!recipientsResolve(*context_, *this)) {
        return refused();
    }
    const msgfile::Message beforeSend = message();
    bool cancel = false;
    if (events_) {
        events_->onSend(cancel);
    }
    if (cancel) {
        return false;
    }
    const SendOutcome outcome = sendMail(*context_, *this, beforeSend);
    if (outcome == SendOutcome::Refused) {
        if (events_) {
            events_->onSendFailed();
        }
        return refused();
    }
    if (window_ && outcome == SendOutcome::Queued) {
        window_->setSendResult(SendResult::Queued);
    }
    // The window closes behind the mail that left.
    if (events_) {
        bool ignored = false;
        events_->onClose(ignored);
    }
    return true;
}

bool StoreItem::close(const ComposeFields& fields) {
    apply(fields);
    bool cancel = false;
    if (events_) {
        events_->onClose(cancel);
    }
    return !cancel;
}

namespace {

// The value of a 32-bit property the item's file carried, if any.
std::optional<std::int32_t> longProperty(const msgfile::Message& message, std::uint16_t id) {
    const msgfile::Property* found =
        message.properties.find(msgfile::tagged(id), msgfile::property_type::Long);
    if (!found) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(found->entry & 0xFFFFFFFFu);
}

} // namespace

int StoreItem::importance() {
    return static_cast<int>(message().importance);
}

// The size the item's file gave (PidTagMessageSize), else what its texts and
// attachments take.
std::int64_t StoreItem::size() {
    const msgfile::Message& whole = message();
    if (const auto given = longProperty(whole, 0x0E08)) {
        return *given;
    }
    std::int64_t bytes =
        static_cast<std::int64_t>(whole.subject.size() + whole.body.size() + whole.htmlBody.size());
    for (const msgfile::Attachment& attachment : whole.attachments) {
        bytes += static_cast<std::int64_t>(attachment.data.size());
    }
    return bytes;
}

// PidTagFlagStatus: 1 complete, 2 flagged, as Outlook numbers them.
int StoreItem::flagStatus() {
    return longProperty(message(), 0x1090).value_or(outlook::FlagNone);
}

} // namespace lexi::mailstore
