#include "platform/posix/mailstore/store_outlook.h"

#include "platform/failure.h"
#include "platform/posix/mailstore/item_kind.h"
#include "platform/posix/mailstore/item_properties.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/mailstore/restrict_filter.h"
#include "platform/posix/mailstore/store_item.h"
#include "platform/posix/msgfile/message_file.h"

namespace lexi::mailstore {

StoreItems::StoreItems(ContextPtr context, int folder, std::optional<TimeFilter> filter)
    : context_(std::move(context)), folder_(folder), filter_(std::move(filter)) {}

const std::vector<StoredItem>& StoreItems::list() {
    const std::uint64_t changes = context_->storage().changeCount();
    if (readAt_ != changes) {
        list_ = context_->storage().items(folder_, filter_);
        readAt_ = changes;
    }
    return list_;
}

int StoreItems::count() {
    return static_cast<int>(list().size());
}

const StoredItem& StoreItems::at(int index) {
    const std::vector<StoredItem>& items = list();
    if (index < 1 || index > static_cast<int>(items.size())) {
        storeRefuses("Array index out of bounds.");
    }
    return items[static_cast<std::size_t>(index - 1)];
}

ItemPtr StoreItems::item(int index) {
    return std::make_shared<StoreItem>(context_, at(index));
}

void StoreItems::remove(int index) {
    context_->storage().remove(at(index).entryId);
}

ItemsPtr StoreItems::restrict(std::string_view filter) {
    return std::make_shared<StoreItems>(context_, folder_, parseRestrictFilter(filter));
}

StoreFolder::StoreFolder(ContextPtr context, FolderInfo info)
    : context_(std::move(context)), info_(std::move(info)) {}

ItemsPtr StoreFolder::items() {
    return std::make_shared<StoreItems>(context_, info_.id, std::nullopt);
}

FolderPtr StoreNamespace::getDefaultFolder(int folder) {
    auto info = context_->storage().folder(folder);
    if (!info) {
        storeRefuses("The operation failed. An object could not be found.");
    }
    return std::make_shared<StoreFolder>(context_, std::move(*info));
}

FolderPtr StoreNamespace::pickFolder() {
    const std::vector<FolderInfo> folders = context_->storage().folders();
    std::vector<std::string> paths;
    for (const FolderInfo& folder : folders) {
        paths.push_back(folder.path);
    }
    const int chosen = context_->services().windows.pickFolder(paths);
    if (chosen < 0 || chosen >= static_cast<int>(folders.size())) {
        return nullptr;
    }
    return std::make_shared<StoreFolder>(context_, folders[static_cast<std::size_t>(chosen)]);
}

ItemPtr StoreNamespace::getItemFromId(std::string_view entryId) {
    auto stored = context_->storage().find(entryId);
    if (!stored) {
        storeRefuses("The operation failed. An object could not be found.");
    }
    return std::make_shared<StoreItem>(context_, std::move(*stored));
}

std::string StoreNamespace::currentUserName() {
    return context_->storage().account().displayName;
}

void StoreNamespace::sendAndReceive() {
    if (OutboxCourier* courier = context_->courier()) {
        courier->tryOutbox();
    }
}

StoreApplication::StoreApplication(ContextPtr context)
    : context_(std::move(context)), session_(std::make_shared<StoreNamespace>(context_)) {}

std::string StoreApplication::version() {
    return context_->storage().account().version;
}

ItemPtr StoreApplication::createItem(int kind) {
    const std::string messageClass = messageClassOfKind(kind);
    if (messageClass.empty()) {
        throw Failure(failure::InvalidProcedureCall, "MailStore");
    }
    msgfile::Message message;
    message.messageClass = messageClass;
    setItemSubject(message, "");
    message.creationTime = fromLocal(context_->services().clock.now());
    if (kind == outlook::MailItem) {
        message.flags = msgfile::message_flag::Unsent;
        message.bodyFormat = msgfile::BodyFormat::Plain;
    }
    return std::make_shared<StoreItem>(context_, std::move(message));
}

ItemPtr StoreApplication::createItemFromTemplate(std::string_view path) {
    const auto host = context_->services().drives.toHost(path);
    if (!host) {
        storeRefuses("Cannot open file: " + std::string(path) + ".");
    }
    msgfile::Message message;
    try {
        message = msgfile::readMessageFile(*host);
    } catch (const Failure& failure) {
        storeRefuses("Cannot open file: " + std::string(path) + ". " + failure.description());
    }
    return std::make_shared<StoreItem>(context_, std::move(message));
}

} // namespace lexi::mailstore
