#pragma once

#include "platform/clock.h"

#include <memory>
#include <string>
#include <string_view>

namespace lexi {

class OutlookApplication;

// Reaching Outlook: the running instance, or a new one that the caller then
// knows it started. The object model's members live in OutlookApplication
// and the item classes; every member throws lexi::Failure as an automation
// error would.
class OutlookConnector {
public:
    virtual ~OutlookConnector() = default;

    // The running instance; null when Outlook is not running.
    virtual std::shared_ptr<OutlookApplication> running() = 0;
    // Starts Outlook and returns the new instance.
    virtual std::shared_ptr<OutlookApplication> start() = 0;
};

class OutlookApplication {
public:
    virtual ~OutlookApplication() = default;

    // "11.0.0.8161".
    virtual std::string version() = 0;
    // The display name of the current user (Session.CurrentUser.Name).
    virtual std::string currentUserName() = 0;
};

} // namespace lexi
