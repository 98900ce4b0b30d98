#include "mail/item_search.h"

#include "platform/failure.h"

namespace lexi {

ItemPtr lastMatchingItem(OutlookNamespace& session, int folder,
                         const std::function<bool(OutlookItem& item)>& matches) {
    const ItemsPtr items = session.getDefaultFolder(folder)->items();
    for (int position = items->count(); position >= 1; --position) {
        ItemPtr item = items->item(position);
        bool found = false;
        ignoringFailure([&] { found = matches(*item); });
        if (found) {
            return item;
        }
    }
    return nullptr;
}

} // namespace lexi
