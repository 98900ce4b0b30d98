#pragma once

#include "platform/outlook.h"

#include <functional>

namespace lexi {

// The item of the session's default folder `folder` (outlook::FolderOutbox...)
// nearest the folder's end for which `matches` holds; null when none does.
// An item whose properties cannot be read does not match.
ItemPtr lastMatchingItem(OutlookNamespace& session, int folder,
                         const std::function<bool(OutlookItem& item)>& matches);

} // namespace lexi
