#include "platform/win32/outlook_automation.h"

#include "platform/win32/event_connection.h"
#include "platform/win32/outlook_item_events.h"

#include <optional>
#include <utility>

namespace lexi::win32 {
namespace {

constexpr const char* ProgrammaticName = "Outlook.Application";

// A wrapped object of Outlook's model.
class Wrapped {
public:
    explicit Wrapped(DispatchObject object) : object_(std::move(object)) {}

protected:
    std::string text(const char* name) const { return object_.get(name).text(); }
    int number(const char* name) const { return object_.get(name).number(); }
    LocalDateTime date(const char* name) const { return object_.get(name).date(); }

    DispatchObject object_;
};

class AutomationRecipient final : public OutlookRecipient, Wrapped {
public:
    using Wrapped::Wrapped;
    std::string name() override { return text("Name"); }
    std::string address() override { return text("Address"); }
    int type() override { return number("Type"); }
    void setType(int type) override { object_.put("Type", type); }
};

class AutomationRecipients final : public OutlookRecipients, Wrapped {
public:
    using Wrapped::Wrapped;
    int count() override { return number("Count"); }
    std::shared_ptr<OutlookRecipient> item(int index) override {
        return std::make_shared<AutomationRecipient>(object_.object("Item", index));
    }
    std::shared_ptr<OutlookRecipient> add(std::string_view recipient) override {
        return std::make_shared<AutomationRecipient>(object_.object("Add", recipient));
    }
    bool resolveAll() override { return object_.call("ResolveAll").boolean(); }
};

class AutomationAttachment final : public OutlookAttachment, Wrapped {
public:
    using Wrapped::Wrapped;
    std::string displayName() override { return text("DisplayName"); }
    std::string fileName() override { return text("FileName"); }
    std::int64_t size() override { return static_cast<std::int64_t>(object_.get("Size").real()); }
    int position() override { return number("Position"); }
    void setPosition(int position) override { object_.put("Position", position); }
};

class AutomationAttachments final : public OutlookAttachments, Wrapped {
public:
    using Wrapped::Wrapped;
    int count() override { return number("Count"); }
    std::shared_ptr<OutlookAttachment> item(int index) override {
        return std::make_shared<AutomationAttachment>(object_.object("Item", index));
    }
    std::shared_ptr<OutlookAttachment> add(std::string_view path, int type, int position,
                                           std::string_view displayName) override {
        AutomationValue at = position < 0 ? AutomationValue::missing() : AutomationValue(position);
        return std::make_shared<AutomationAttachment>(
            object_.object("Add", path, type, std::move(at), displayName));
    }
};

class AutomationItem final : public OutlookItem, Wrapped {
public:
    using Wrapped::Wrapped;

    int itemClass() override { return number("Class"); }
    std::string entryId() override { return text("EntryID"); }
    std::string subject() override { return text("Subject"); }
    void setSubject(std::string_view subject) override { object_.put("Subject", subject); }
    std::string body() override { return text("Body"); }
    void setBody(std::string_view body) override { object_.put("Body", body); }
    LocalDateTime creationTime() override { return date("CreationTime"); }
    void save() override { object_.call("Save"); }
    // Outlook's default format for a mail is its message format.
    void saveAs(std::string_view path) override { object_.call("SaveAs", path); }
    void display(bool modal) override {
        if (modal) {
            object_.call("Display", true);
        } else {
            object_.call("Display");
        }
    }
    void close(int saveMode) override { object_.call("Close", saveMode); }
    void deleteItem() override { object_.call("Delete"); }

    LocalDateTime sentOn() override { return date("SentOn"); }
    LocalDateTime receivedTime() override { return date("ReceivedTime"); }
    std::string to() override { return text("To"); }
    void setTo(std::string_view to) override { object_.put("To", to); }
    std::string bcc() override { return text("BCC"); }
    void setBcc(std::string_view bcc) override { object_.put("BCC", bcc); }
    std::string htmlBody() override { return text("HTMLBody"); }
    void setHtmlBody(std::string_view html) override { object_.put("HTMLBody", html); }
    int bodyFormat() override { return number("BodyFormat"); }
    std::string senderName() override { return text("SenderName"); }
    std::string billingInformation() override { return text("BillingInformation"); }
    void setBillingInformation(std::string_view text) override {
        object_.put("BillingInformation", text);
    }
    std::string mileage() override { return text("Mileage"); }
    void setMileage(std::string_view text) override { object_.put("Mileage", text); }
    void setSentOnBehalfOfName(std::string_view name) override {
        object_.put("SentOnBehalfOfName", name);
    }
    OutlookRecipients& recipients() override {
        if (!recipients_) {
            recipients_.emplace(object_.object("Recipients"));
        }
        return *recipients_;
    }
    OutlookAttachments& attachments() override {
        if (!attachments_) {
            attachments_.emplace(object_.object("Attachments"));
        }
        return *attachments_;
    }
    ItemPtr copy() override { return std::make_shared<AutomationItem>(object_.object("Copy")); }
    void setEvents(MailEvents* events) override {
        events_.reset();
        if (events) {
            events_.emplace(object_, outlook_events::ItemEvents,
                            [events](DISPID event, DISPPARAMS& arguments) {
                                handle(*events, event, arguments);
                            });
        }
    }

    LocalDateTime dueDate() override { return date("DueDate"); }
    void setDueDate(const LocalDateTime& date) override { object_.put("DueDate", date); }
    int status() override { return number("Status"); }
    void setStatus(int status) override { object_.put("Status", status); }
    LocalDateTime dateCompleted() override { return date("DateCompleted"); }
    void assign() override { object_.call("Assign"); }

    std::string fullName() override { return text("FullName"); }
    void setFullName(std::string_view text) override { object_.put("FullName", text); }
    std::string companyName() override { return text("CompanyName"); }
    void setCompanyName(std::string_view text) override { object_.put("CompanyName", text); }
    std::string businessAddress() override { return text("BusinessAddress"); }
    void setBusinessAddress(std::string_view text) override {
        object_.put("BusinessAddress", text);
    }
    std::string email1Address() override { return text("Email1Address"); }
    void setEmail1Address(std::string_view text) override { object_.put("Email1Address", text); }
    std::string businessTelephoneNumber() override { return text("BusinessTelephoneNumber"); }
    void setBusinessTelephoneNumber(std::string_view text) override {
        object_.put("BusinessTelephoneNumber", text);
    }
    std::string businessFaxNumber() override { return text("BusinessFaxNumber"); }
    void setBusinessFaxNumber(std::string_view text) override {
        object_.put("BusinessFaxNumber", text);
    }
    std::string profession() override { return text("Profession"); }
    void setProfession(std::string_view text) override { object_.put("Profession", text); }

    ItemPtr getAssociatedAppointment(bool addToCalendar) override {
        return std::make_shared<AutomationItem>(
            object_.object("GetAssociatedAppointment", addToCalendar));
    }
    LocalDateTime start() override { return date("Start"); }

    int importance() override { return number("Importance"); }
    std::int64_t size() override { return static_cast<std::int64_t>(object_.get("Size").real()); }
    int flagStatus() override { return number("FlagStatus"); }

private:
    // The mail window's Send and Close reach the handlers with their Cancel,
    // which goes back to Outlook as the handler left it.
    static void handle(MailEvents& events, DISPID event, DISPPARAMS& arguments) {
        if ((event != outlook_events::Send && event != outlook_events::Close) ||
            arguments.cArgs != 1) {
            return;
        }
        const VARIANT& cancelArgument = arguments.rgvarg[0];
        bool cancel = AutomationValue::copyOf(cancelArgument).boolean();
        if (event == outlook_events::Send) {
            events.onSend(cancel);
        } else {
            events.onClose(cancel);
        }
        if (V_VT(&cancelArgument) & VT_BYREF) {
            storeThrough(cancelArgument, AutomationValue(cancel).variant());
        }
    }

    std::optional<AutomationRecipients> recipients_;
    std::optional<AutomationAttachments> attachments_;
    // Declared last: it goes first, before the object it listens to.
    std::optional<EventConnection> events_;
};

class AutomationItems final : public OutlookItems, Wrapped {
public:
    using Wrapped::Wrapped;
    int count() override { return number("Count"); }
    ItemPtr item(int index) override {
        return std::make_shared<AutomationItem>(object_.object("Item", index));
    }
    void remove(int index) override { object_.call("Remove", index); }
    ItemsPtr restrict(std::string_view filter) override {
        return std::make_shared<AutomationItems>(object_.object("Restrict", filter));
    }
};

class AutomationFolder final : public OutlookFolder, Wrapped {
public:
    using Wrapped::Wrapped;
    ItemsPtr items() override { return std::make_shared<AutomationItems>(object_.object("Items")); }
    std::string name() override { return text("Name"); }
    int defaultItemType() override { return number("DefaultItemType"); }
};

class AutomationNamespace final : public OutlookNamespace, Wrapped {
public:
    using Wrapped::Wrapped;
    FolderPtr getDefaultFolder(int folder) override {
        return std::make_shared<AutomationFolder>(object_.object("GetDefaultFolder", folder));
    }
    FolderPtr pickFolder() override {
        DispatchObject picked = object_.call("PickFolder").object();
        return picked ? std::make_shared<AutomationFolder>(std::move(picked)) : nullptr;
    }
    ItemPtr getItemFromId(std::string_view entryId) override {
        return std::make_shared<AutomationItem>(object_.object("GetItemFromID", entryId));
    }
    std::string currentUserName() override {
        return object_.object("CurrentUser").get("Name").text();
    }
    // Without Outlook's progress window.
    void sendAndReceive() override { object_.call("SendAndReceive", false); }
};

class AutomationApplication final : public OutlookApplication, Wrapped {
public:
    using Wrapped::Wrapped;
    std::string version() override { return text("Version"); }
    std::shared_ptr<OutlookNamespace> session() override {
        return std::make_shared<AutomationNamespace>(object_.object("GetNamespace", "MAPI"));
    }
    ItemPtr createItem(int kind) override {
        return std::make_shared<AutomationItem>(object_.object("CreateItem", kind));
    }
    ItemPtr createItemFromTemplate(std::string_view path) override {
        return std::make_shared<AutomationItem>(object_.object("CreateItemFromTemplate", path));
    }
};

} // namespace

std::shared_ptr<OutlookApplication> outlookOf(DispatchObject application) {
    return std::make_shared<AutomationApplication>(std::move(application));
}

std::shared_ptr<OutlookApplication> AutomationOutlookConnector::running() {
    DispatchObject found = DispatchObject::running(ProgrammaticName);
    return found ? outlookOf(std::move(found)) : nullptr;
}

std::shared_ptr<OutlookApplication> AutomationOutlookConnector::start() {
    return outlookOf(DispatchObject::create(ProgrammaticName));
}

} // namespace lexi::win32
