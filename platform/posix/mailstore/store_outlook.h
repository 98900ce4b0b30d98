#pragma once

#include "platform/outlook.h"
#include "platform/posix/mailstore/store_context.h"

#include <memory>
#include <vector>

namespace lexi::mailstore {

// The items of a folder, in the folder's order: all of them, or those a
// Restrict filter selected. The list (each item's summary) is read again
// whenever the store has changed, so items that arrive or leave meanwhile
// are counted.
class StoreItems final : public OutlookItems {
public:
    StoreItems(ContextPtr context, int folder, std::optional<TimeFilter> filter);

    int count() override;
    ItemPtr item(int index) override;
    void remove(int index) override;
    ItemsPtr restrict(std::string_view filter) override;

private:
    const std::vector<StoredItem>& list();
    const StoredItem& at(int index);

    ContextPtr context_;
    int folder_;
    std::optional<TimeFilter> filter_;
    std::vector<StoredItem> list_;
    std::optional<std::uint64_t> readAt_;
};

class StoreFolder final : public OutlookFolder {
public:
    StoreFolder(ContextPtr context, FolderInfo info);

    ItemsPtr items() override;
    std::string name() override { return info_.name; }
    int defaultItemType() override { return info_.defaultItemType; }

private:
    ContextPtr context_;
    FolderInfo info_;
};

class StoreNamespace final : public OutlookNamespace {
public:
    explicit StoreNamespace(ContextPtr context) : context_(std::move(context)) {}

    FolderPtr getDefaultFolder(int folder) override;
    FolderPtr pickFolder() override;
    ItemPtr getItemFromId(std::string_view entryId) override;
    std::string currentUserName() override;
    void sendAndReceive() override;

private:
    ContextPtr context_;
};

class StoreApplication final : public OutlookApplication {
public:
    explicit StoreApplication(ContextPtr context);

    std::string version() override;
    std::shared_ptr<OutlookNamespace> session() override { return session_; }
    ItemPtr createItem(int kind) override;
    ItemPtr createItemFromTemplate(std::string_view path) override;

private:
    ContextPtr context_;
    std::shared_ptr<StoreNamespace> session_;
};

} // namespace lexi::mailstore
