#pragma once

#include "platform/compose_window.h"
#include "platform/outlook.h"
#include "platform/posix/mailstore/store_context.h"

#include <memory>
#include <optional>

namespace lexi::mailstore {

// An item of the mail store: the message it holds, where it is stored (an
// entry ID once saved) and the mail window when it is shown. A stored item
// answers what its summary holds from the summary, and reads its whole
// message from the store only when it needs more.
class StoreItem final : public OutlookItem,
                        public std::enable_shared_from_this<StoreItem>,
                        private ComposeActions {
public:
    // A new, unsaved item.
    StoreItem(ContextPtr context, msgfile::Message message);
    // A stored item.
    StoreItem(ContextPtr context, StoredItem stored);
    ~StoreItem() override;

    // The whole message; Failure 440 when the stored item is gone.
    msgfile::Message& message();
    // Stores the item in that folder: replaces it when it is stored, adds it
    // when it is new or gone from the store.
    void fileIn(int folder);

    int itemClass() override;
    std::string entryId() override;
    std::string subject() override;
    void setSubject(std::string_view subject) override;
    std::string body() override;
    void setBody(std::string_view body) override;
    LocalDateTime creationTime() override;
    void save() override;
    void saveAs(std::string_view path) override;
    void display(bool modal) override;
    void close(int saveMode) override;
    void deleteItem() override;

    LocalDateTime sentOn() override;
    LocalDateTime receivedTime() override;
    std::string to() override;
    void setTo(std::string_view to) override;
    std::string bcc() override;
    void setBcc(std::string_view bcc) override;
    std::string htmlBody() override;
    void setHtmlBody(std::string_view html) override;
    int bodyFormat() override;
    std::string senderName() override;
    std::string billingInformation() override;
    void setBillingInformation(std::string_view text) override;
    std::string mileage() override;
    void setMileage(std::string_view text) override;
    void setSentOnBehalfOfName(std::string_view name) override;
    OutlookRecipients& recipients() override;
    OutlookAttachments& attachments() override;
    ItemPtr copy() override;
    void setEvents(MailEvents* events) override { events_ = events; }

    LocalDateTime dueDate() override;
    void setDueDate(const LocalDateTime& date) override;
    int status() override;
    void setStatus(int status) override;
    LocalDateTime dateCompleted() override;
    void assign() override;

    std::string fullName() override;
    void setFullName(std::string_view text) override;
    std::string companyName() override;
    void setCompanyName(std::string_view text) override;
    std::string businessAddress() override;
    void setBusinessAddress(std::string_view text) override;
    std::string email1Address() override;
    void setEmail1Address(std::string_view text) override;
    std::string businessTelephoneNumber() override;
    void setBusinessTelephoneNumber(std::string_view text) override;
    std::string businessFaxNumber() override;
    void setBusinessFaxNumber(std::string_view text) override;
    std::string profession() override;
    void setProfession(std::string_view text) override;

    ItemPtr getAssociatedAppointment(bool addToCalendar) override;
    LocalDateTime start() override;

    int importance() override;
    std::int64_t size() override;
    int flagStatus() override;

    // The display lines of a kind of recipient, "Navn; Navn", kept in step
    // with the recipients.
    void refreshDisplayLines();

private:
    class Recipients;
    class Attachments;

    // Throws Failure 438 unless the item is of one of these classes.
    void require(std::initializer_list<int> classes);
    void requireMessage();
    std::string& text(std::initializer_list<int> classes, std::string msgfile::Message::*field);
    // A property the summary holds: from the message once it is read.
    template <typename Value>
    const Value& summarized(Value ItemSummary::*kept, Value msgfile::Message::*field) const {
        return message_ ? (*message_).*field : summary_.*kept;
    }
    void setRecipientsOfType(msgfile::RecipientType type, std::string_view line);
    ComposeFields composeFields();
    void apply(const ComposeFields& fields);
    void addSignature();

    bool send(const ComposeFields& fields) override;
    bool close(const ComposeFields& fields) override;

    ContextPtr context_;
    ItemSummary summary_;
    std::optional<msgfile::Message> message_;
    std::string entryId_;
    int folder_ = 0;
    bool displayed_ = false;
    MailEvents* events_ = nullptr;
    ComposeWindow* window_ = nullptr;
    std::unique_ptr<Recipients> recipients_;
    std::unique_ptr<Attachments> attachments_;
};

} // namespace lexi::mailstore
