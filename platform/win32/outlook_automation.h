#pragma once

#include "platform/outlook.h"
#include "platform/win32/automation.h"

#include <memory>

namespace lexi::win32 {

// Outlook through its automation object model: "Outlook.Application", the
// running instance or a new one.
class AutomationOutlookConnector final : public OutlookConnector {
public:
    std::shared_ptr<OutlookApplication> running() override;
    std::shared_ptr<OutlookApplication> start() override;
};

// An application object of Outlook's model behind the program's interface.
std::shared_ptr<OutlookApplication> outlookOf(DispatchObject application);

} // namespace lexi::win32
