#include "platform/win32/fake/fake_outlook.h"

#include "platform/clock.h"
#include "platform/danish_format.h"
#include "platform/outlook.h"
#include "platform/text.h"
#include "platform/win32/event_source.h"
#include "platform/win32/outlook_item_events.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_clock.h"

#include <filesystem>
#include <fstream>
#include <ocidl.h>
#include <olectl.h>
#include <sstream>

namespace lexi::fakecom {

struct FakeRecipient {
    std::string name;
    std::string address;
    int type = outlook::To;
};

struct FakeAttachment {
    std::string path;
    std::string displayName;
    int position = 0;
    std::int64_t size = 0;
};

struct FakeItemData {
    int itemClass = outlook::ClassMail;
    std::string entryId;
    int folder = 0;                                    // 0 until saved
    std::map<std::string, AutomationValue> properties; // by lower-case name
    std::vector<FakeRecipient> recipients;
    std::vector<FakeAttachment> attachments;
};

namespace {

[[noreturn]] void refuse(const std::string& why) {
    throw Failure(failure::AutomationError, why, "Outlook");
}

AutomationValue copy(const AutomationValue& value) {
    return AutomationValue::copyOf(value.variant());
}

LocalDateTime now() {
    return win32::Win32Clock().now();
}

// The properties each kind of item has, with their first values.
FakeItemPtr newItem(int itemClass) {
    auto item = std::make_shared<FakeItemData>();
    item->itemClass = itemClass;
    auto& p = item->properties;
    p.emplace("subject", "");
    p.emplace("body", "");
    p.emplace("creationtime", now());
    p.emplace("importance", outlook::ImportanceNormal);
    if (itemClass == outlook::ClassMail) {
        for (const char* name :
             {"htmlbody", "sendername", "billinginformation", "mileage", "sentonbehalfofname"}) {
            p.emplace(name, "");
        }
        p.emplace("bodyformat", outlook::FormatPlain);
        p.emplace("senton", outlook::Never);
        p.emplace("receivedtime", outlook::Never);
        p.emplace("flagstatus", outlook::FlagNone);
    } else if (itemClass == outlook::ClassTask) {
        p.emplace("duedate", outlook::Never);
        p.emplace("datecompleted", outlook::Never);
        p.emplace("status", outlook::TaskNotStarted);
    } else if (itemClass == outlook::ClassContact) {
        for (const char* name : {"fullname", "companyname", "businessaddress", "email1address",
                                 "businesstelephonenumber", "businessfaxnumber", "profession"}) {
            p.emplace(name, "");
        }
    }
    return item;
}

int classOfKind(int kind) {
    switch (kind) {
    case outlook::MailItem:
        return outlook::ClassMail;
    case outlook::ContactItem:
        return outlook::ClassContact;
    case outlook::TaskItem:
        return outlook::ClassTask;
    default:
        throw Failure(failure::InvalidProcedureCall, "Outlook");
    }
}

int folderOfClass(int itemClass) {
    switch (itemClass) {
    case outlook::ClassContact:
        return outlook::FolderContacts;
    case outlook::ClassTask:
        return outlook::FolderTasks;
    default:
        return outlook::FolderDrafts;
    }
}

std::string folderName(int folder) {
    switch (folder) {
    case outlook::FolderDeletedItems:
        return "Slettet post";
    case outlook::FolderOutbox:
        return "Udbakke";
    case outlook::FolderSentItems:
        return "Sendt post";
    case outlook::FolderInbox:
        return "Indbakke";
    case outlook::FolderCalendar:
        return "Kalender";
    case outlook::FolderContacts:
        return "Kontaktpersoner";
    case outlook::FolderTasks:
        return "Opgaver";
    default:
        return "Kladder";
    }
}

// "Navn <adresse>", an address, or a name that resolves to nothing.
FakeRecipient recipientOf(std::string_view typed, int type) {
    const std::string text(text::trimSpaces(typed));
    const std::size_t open = text.find('<');
    if (open != std::string::npos && text.back() == '>') {
        return {std::string(text::trimSpaces(text.substr(0, open))),
                text.substr(open + 1, text.size() - open - 2), type};
    }
    return {text, text.find('@') != std::string::npos ? text : std::string(), type};
}

class FakeRecipientObject final : public FakeDispatch {
public:
    FakeRecipientObject(FakeItemPtr item, std::size_t index) : FakeDispatch("Outlook") {
        auto entry = [item, index]() -> FakeRecipient& {
            return item->recipients.at(index);
        };
        define({"Name", [=](const Arguments&) {
                    return AutomationValue(entry().name);
                }});
        define({"Address", [=](const Arguments&) {
                    return AutomationValue(entry().address);
                }});
        define({"Type", [=](const Arguments&) { return AutomationValue(entry().type); },
                [=](const AutomationValue& type) {
                    entry().type = type.number();
                }});
        define({"Resolved", [=](const Arguments&) {
                    return AutomationValue(!entry().address.empty());
                }});
        define({"Resolve", [=](const Arguments&) {
                    return AutomationValue(!entry().address.empty());
                }});
    }
};

// The current user, who is only a name.
class FakeUser final : public FakeDispatch {
public:
    explicit FakeUser(std::string name) : FakeDispatch("Outlook") {
        define({"Name", [name](const Arguments&) {
                    return AutomationValue(name);
                }});
    }
};

class FakeRecipients final : public FakeDispatch {
public:
    explicit FakeRecipients(FakeItemPtr item) : FakeDispatch("Outlook") {
        define({"Count", [item](const Arguments&) {
                    return AutomationValue(static_cast<int>(item->recipients.size()));
                }});
        define({"Item", [item](const Arguments& a) {
                    const int index = a[0].number();
                    if (index < 1 || index > static_cast<int>(item->recipients.size())) {
                        refuse("Array index out of bounds.");
                    }
                    return newObject<FakeRecipientObject>(item, index - 1);
                }});
        define({"Add", [item](const Arguments& a) {
                    item->recipients.push_back(recipientOf(a[0].text(), outlook::To));
                    return newObject<FakeRecipientObject>(item, item->recipients.size() - 1);
                }});
        define({"ResolveAll", [item](const Arguments&) {
                    for (const FakeRecipient& recipient : item->recipients) {
                        if (recipient.address.empty()) {
                            return AutomationValue(false);
                        }
                    }
                    return AutomationValue(true);
                }});
    }
};

class FakeAttachmentObject final : public FakeDispatch {
public:
    FakeAttachmentObject(FakeItemPtr item, std::size_t index) : FakeDispatch("Outlook") {
        auto entry = [item, index]() -> FakeAttachment& {
            return item->attachments.at(index);
        };
        define({"DisplayName", [=](const Arguments&) {
                    return AutomationValue(entry().displayName);
                }});
        define({"FileName", [=](const Arguments&) {
                    return AutomationValue(win32::fromWide(
                        std::filesystem::path(win32::toWide(entry().path)).filename().wstring()));
                }});
        define({"Size", [=](const Arguments&) {
                    return AutomationValue(static_cast<int>(entry().size));
                }});
        define({"Position", [=](const Arguments&) { return AutomationValue(entry().position); },
                [=](const AutomationValue& position) {
                    entry().position = position.number();
                }});
    }
};

class FakeAttachments final : public FakeDispatch {
public:
    explicit FakeAttachments(FakeItemPtr item) : FakeDispatch("Outlook") {
        define({"Count", [item](const Arguments&) {
                    return AutomationValue(static_cast<int>(item->attachments.size()));
                }});
        define({"Item", [item](const Arguments& a) {
                    const int index = a[0].number();
                    if (index < 1 || index > static_cast<int>(item->attachments.size())) {
                        refuse("Array index out of bounds.");
                    }
                    return newObject<FakeAttachmentObject>(item, index - 1);
                }});
        define({"Add", [item](const Arguments& a) {
                    const std::string path = a[0].text();
                    std::error_code failed;
                    const auto size = std::filesystem::file_size(win32::toWide(path), failed);
                    if (failed) {
                        refuse("Cannot find this file. Verify the path and file name are correct.");
                    }
                    FakeAttachment attachment{path, a.given(3) ? a[3].text() : std::string(),
                                              a.given(2) ? a[2].number() : 0,
                                              static_cast<std::int64_t>(size)};
                    if (attachment.displayName.empty()) {
                        attachment.displayName = win32::fromWide(
                            std::filesystem::path(win32::toWide(path)).filename().wstring());
                    }
                    item->attachments.push_back(attachment);
                    return newObject<FakeAttachmentObject>(item, item->attachments.size() - 1);
                }});
    }
};

std::string joinedNames(const FakeItemData& item, int type) {
    std::string joined;
    for (const FakeRecipient& recipient : item.recipients) {
        if (recipient.type == type) {
            joined += (joined.empty() ? "" : "; ") + recipient.name;
        }
    }
    return joined;
}

void setRecipientsOfType(FakeItemData& item, int type, std::string_view line) {
    std::erase_if(item.recipients, [type](const FakeRecipient& r) { return r.type == type; });
    for (std::string_view typed : text::split(line, ";")) {
        if (!text::trimSpaces(typed).empty()) {
            item.recipients.push_back(recipientOf(typed, type));
        }
    }
}

class FakeItem final : public FakeDispatch, public IConnectionPointContainer {
public:
    FakeItem(std::shared_ptr<FakeMailbox> mailbox, FakeItemPtr item)
        : FakeDispatch("Outlook"), mailbox_(std::move(mailbox)), item_(std::move(item)),
          events_(*this, win32::outlook_events::ItemEvents) {
        for (const auto& [name, value] : item_->properties) {
            defineProperty(name);
        }
        define({"Class", [this](const Arguments&) {
                    return AutomationValue(item_->itemClass);
                }});
        define({"EntryID", [this](const Arguments&) {
                    return AutomationValue(item_->entryId);
                }});
        define({"Save", [this](const Arguments&) {
                    return save();
                }});
        define({"SaveAs", [this](const Arguments& a) {
                    return saveAs(a[0].text());
                }});
        define({"Display", [this](const Arguments& a) {
                    return display(a[0].boolean());
                }});
        define({"Close", [this](const Arguments& a) {
                    if (a[0].number() != outlook::Discard && !item_->entryId.empty()) {
                        save();
                    }
                    return AutomationValue();
                }});
        define({"Delete", [this](const Arguments&) {
                    return moveTo(outlook::FolderDeletedItems);
                }});
        define({"Size", [this](const Arguments&) {
                    return AutomationValue(size());
                }});
        if (item_->itemClass == outlook::ClassMail) {
            defineRecipientLine("To", outlook::To);
            defineRecipientLine("BCC", outlook::Bcc);
            define({"Recipients", [this](const Arguments&) {
                        return newObject<FakeRecipients>(item_);
                    }});
            define({"Attachments", [this](const Arguments&) {
                        return newObject<FakeAttachments>(item_);
                    }});
            define({"Copy", [this](const Arguments&) {
                        auto duplicate = std::make_shared<FakeItemData>();
                        duplicate->itemClass = item_->itemClass;
                        for (const auto& [name, value] : item_->properties) {
                            duplicate->properties.emplace(name, copy(value));
                        }
                        duplicate->recipients = item_->recipients;
                        duplicate->attachments = item_->attachments;
                        return newObject<FakeItem>(mailbox_, duplicate);
                    }});
        }
        if (item_->itemClass == outlook::ClassTask) {
            define({"Assign", [](const Arguments&) {
                        return AutomationValue();
                    }});
        }
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return FakeDispatch::QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return FakeDispatch::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return FakeDispatch::Release(); }

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override {
        if (!points) {
            return E_POINTER;
        }
        *points = events_.enumerate();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
        if (!point) {
            return E_POINTER;
        }
        *point = nullptr;
        if (!IsEqualIID(iid, win32::outlook_events::ItemEvents)) {
            return CONNECT_E_NOCONNECTION;
        }
        events_.AddRef();
        *point = &events_;
        return S_OK;
    }

protected:
    void* otherInterface(REFIID iid) override {
        return IsEqualIID(iid, IID_IConnectionPointContainer)
                   ? static_cast<IConnectionPointContainer*>(this)
                   : nullptr;
    }

private:
    void defineProperty(const std::string& name) {
        define({name, [this, name](const Arguments&) { return copy(item_->properties.at(name)); },
                [this, name](const AutomationValue& value) {
                    item_->properties.at(name) = copy(value);
                    if (name == "status" && item_->itemClass == outlook::ClassTask) {
                        dateCompletion(value.number() == outlook::TaskComplete);
                    }
                }});
    }

    // Outlook dates a task's completion, today, when its status becomes
    // completed, and forgets the date when it no longer is.
    void dateCompletion(bool completed) {
        LocalDateTime today = now();
        today.hour = today.minute = today.second = 0;
        item_->properties.at("datecompleted") = AutomationValue(completed ? today : outlook::Never);
    }

    void defineRecipientLine(const char* name, int type) {
        define(
            {name,
             [this, type](const Arguments&) { return AutomationValue(joinedNames(*item_, type)); },
             [this, type](const AutomationValue& line) {
                 setRecipientsOfType(*item_, type, line.text());
             }});
    }

    int size() const {
        std::int64_t total =
            1024 + static_cast<std::int64_t>(item_->properties.at("body").text().size());
        for (const FakeAttachment& attachment : item_->attachments) {
            total += attachment.size;
        }
        return static_cast<int>(total);
    }

    AutomationValue save() {
        if (item_->entryId.empty()) {
            char id[17];
            std::snprintf(id, sizeof id, "%016X", ++mailbox_->lastEntryId);
            item_->entryId = id;
            item_->folder = folderOfClass(item_->itemClass);
            mailbox_->folders[item_->folder].push_back(item_);
        }
        return {};
    }

    AutomationValue moveTo(int folder) {
        if (!item_->entryId.empty()) {
            std::erase(mailbox_->folders[item_->folder], item_);
        } else {
            save();
            std::erase(mailbox_->folders[item_->folder], item_);
        }
        item_->folder = folder;
        mailbox_->folders[folder].push_back(item_);
        return {};
    }

    AutomationValue saveAs(const std::string& path) {
        std::ofstream file(std::filesystem::path(win32::toWide(path)), std::ios::binary);
        file << item_->properties.at("subject").text() << "\r\n"
             << item_->properties.at("body").text();
        if (!file.flush()) {
            refuse("Cannot save the item.");
        }
        return {};
    }

    // Raises an event with its Boolean by reference; true when a listener
    // set it.
    bool raise(DISPID event) {
        VARIANT_BOOL cancel = VARIANT_FALSE;
        VARIANT argument;
        V_VT(&argument) = VT_BYREF | VT_BOOL;
        V_BOOLREF(&argument) = &cancel;
        DISPPARAMS parameters{&argument, nullptr, 1, 0};
        events_.raise(event, parameters);
        return cancel != VARIANT_FALSE;
    }

    AutomationValue display(bool modal) {
        if (!modal || item_->itemClass != outlook::ClassMail) {
            return {};
        }
        // Keeps the item while its listeners run.
        AddRef();
        for (;;) {
            if (mailbox_->userActions.empty()) {
                raise(win32::outlook_events::Close);
                break;
            }
            const std::string action = mailbox_->userActions.front();
            mailbox_->userActions.pop_front();
            if (action == "send") {
                if (raise(win32::outlook_events::Send)) {
                    continue;
                }
                item_->properties.at("senton") = AutomationValue(now());
                moveTo(outlook::FolderSentItems);
                raise(win32::outlook_events::Close);
                break;
            }
            if (!raise(win32::outlook_events::Close)) {
                break;
            }
        }
        Release();
        return {};
    }

    std::shared_ptr<FakeMailbox> mailbox_;
    FakeItemPtr item_;
    win32::EventSource events_;
};

// A folder's items, or those a filter chose.
class FakeItems final : public FakeDispatch {
public:
    FakeItems(std::shared_ptr<FakeMailbox> mailbox, std::vector<FakeItemPtr> items)
        : FakeDispatch("Outlook") {
        auto held = std::make_shared<std::vector<FakeItemPtr>>(std::move(items));
        define({"Count", [held](const Arguments&) {
                    return AutomationValue(static_cast<int>(held->size()));
                }});
        define({"Item", [mailbox, held](const Arguments& a) {
                    const int index = a[0].number();
                    if (index < 1 || index > static_cast<int>(held->size())) {
                        refuse("Array index out of bounds.");
                    }
                    return newObject<FakeItem>(mailbox, (*held)[index - 1]);
                }});
        define({"Remove", [mailbox, held](const Arguments& a) {
                    const int index = a[0].number();
                    if (index < 1 || index > static_cast<int>(held->size())) {
                        refuse("Array index out of bounds.");
                    }
                    const FakeItemPtr item = (*held)[index - 1];
                    std::erase(mailbox->folders[item->folder], item);
                    held->erase(held->begin() + index - 1);
                    return AutomationValue();
                }});
        define({"Restrict", [mailbox, held](const Arguments& a) {
                    return newObject<FakeItems>(mailbox, restricted(*held, a[0].text()));
                }});
    }

private:
    // "[SentOn] > '24-12-2026 14:05'" and the like, on a time property.
    // Outlook also reads a minute of one digit ("14:6"), as the mail's
    // search bound writes it.
    static std::vector<FakeItemPtr> restricted(const std::vector<FakeItemPtr>& items,
                                               const std::string& filter) {
        const std::size_t close = filter.find(']');
        const std::size_t quote = filter.find('\'');
        if (!filter.starts_with('[') || close == std::string::npos || quote == std::string::npos ||
            !filter.ends_with('\'')) {
            refuse("Cannot parse condition. Error at \"" + filter + "\".");
        }
        const std::string field = text::toLower(filter.substr(1, close - 1));
        const std::string op(text::trimSpaces(filter.substr(close + 1, quote - close - 1)));
        std::string value = filter.substr(quote + 1, filter.size() - quote - 2);
        if (const std::size_t colon = value.rfind(':');
            colon != std::string::npos && colon + 2 == value.size()) {
            value.insert(colon + 1, "0");
        }
        const auto date = danish::parseDate(value);
        if (!date) {
            refuse("Cannot parse condition. Error at \"" + filter + "\".");
        }
        const double bound = automationDateOf(*date);
        std::vector<FakeItemPtr> chosen;
        for (const FakeItemPtr& item : items) {
            const auto found = item->properties.find(field);
            if (found == item->properties.end()) {
                continue;
            }
            const double when = found->second.real();
            if ((op == ">" && when > bound) || (op == ">=" && when >= bound) ||
                (op == "<" && when < bound) || (op == "<=" && when <= bound)) {
                chosen.push_back(item);
            }
        }
        return chosen;
    }
};

class FakeFolder final : public FakeDispatch {
public:
    FakeFolder(std::shared_ptr<FakeMailbox> mailbox, int folder) : FakeDispatch("Outlook") {
        define({"Items", [mailbox, folder](const Arguments&) {
                    return newObject<FakeItems>(mailbox, mailbox->folders[folder]);
                }});
        define({"Name", [folder](const Arguments&) {
                    return AutomationValue(folderName(folder));
                }});
        define({"DefaultItemType", [folder](const Arguments&) {
                    return AutomationValue(folder == outlook::FolderContacts ? outlook::ContactItem
                                           : folder == outlook::FolderTasks  ? outlook::TaskItem
                                                                             : outlook::MailItem);
                }});
    }
};

class FakeNamespace final : public FakeDispatch {
public:
    explicit FakeNamespace(std::shared_ptr<FakeMailbox> mailbox) : FakeDispatch("Outlook") {
        define({"GetDefaultFolder", [mailbox](const Arguments& a) {
                    const int folder = a[0].number();
                    if (!mailbox->folders.contains(folder)) {
                        refuse("The attempted operation failed. An object could not be found.");
                    }
                    return newObject<FakeFolder>(mailbox, folder);
                }});
        define({"PickFolder", [mailbox](const Arguments&) {
                    return mailbox->pickedFolder
                               ? newObject<FakeFolder>(mailbox, mailbox->pickedFolder)
                               : AutomationValue();
                }});
        define({"GetItemFromID", [mailbox](const Arguments& a) {
                    const std::string id = a[0].text();
                    for (const auto& [folder, items] : mailbox->folders) {
                        for (const FakeItemPtr& item : items) {
                            if (item->entryId == id) {
                                return newObject<FakeItem>(mailbox, item);
                            }
                        }
                    }
                    refuse("The operation failed. An object could not be found.");
                }});
        define({"CurrentUser", [mailbox](const Arguments&) {
                    return newObject<FakeUser>(mailbox->currentUser);
                }});
        // Nothing is delivered from this mailbox.
        define({"SendAndReceive", [](const Arguments&) {
                    return AutomationValue();
                }});
    }
};

class FakeApplication final : public FakeDispatch {
public:
    explicit FakeApplication(std::shared_ptr<FakeMailbox> mailbox) : FakeDispatch("Outlook") {
        define({"Version", [](const Arguments&) {
                    return AutomationValue("12.0.0.4518");
                }});
        define({"Session", [mailbox](const Arguments&) {
                    return newObject<FakeNamespace>(mailbox);
                }});
        define({"GetNamespace", [mailbox](const Arguments& a) {
                    if (a[0].text() != "MAPI") {
                        throw Failure(failure::InvalidProcedureCall, "Outlook");
                    }
                    return newObject<FakeNamespace>(mailbox);
                }});
        define({"CreateItem", [mailbox](const Arguments& a) {
                    return newObject<FakeItem>(mailbox, newItem(classOfKind(a[0].number())));
                }});
        define({"CreateItemFromTemplate", [mailbox](const Arguments& a) {
                    std::ifstream file(std::filesystem::path(win32::toWide(a[0].text())),
                                       std::ios::binary);
                    if (!file) {
                        refuse("Cannot open file: " + a[0].text() + ".");
                    }
                    std::string subject;
                    std::getline(file, subject);
                    if (subject.ends_with('\r')) {
                        subject.pop_back();
                    }
                    std::ostringstream body;
                    body << file.rdbuf();
                    FakeItemPtr item = newItem(outlook::ClassMail);
                    item->properties.at("subject") = AutomationValue(subject);
                    item->properties.at("body") = AutomationValue(body.str());
                    return newObject<FakeItem>(mailbox, item);
                }});
    }
};

} // namespace

AutomationValue newFakeOutlook(std::shared_ptr<FakeMailbox> mailbox) {
    for (int folder : {outlook::FolderDeletedItems, outlook::FolderOutbox, outlook::FolderSentItems,
                       outlook::FolderInbox, outlook::FolderCalendar, outlook::FolderContacts,
                       outlook::FolderTasks, outlook::FolderDrafts}) {
        mailbox->folders[folder];
    }
    return newObject<FakeApplication>(std::move(mailbox));
}

} // namespace lexi::fakecom
