#pragma once

#include "platform/clock.h"
#include "platform/outlook.h"
#include "platform/posix/drive_table.h"
#include "platform/ui.h"

#include <memory>
#include <string>

namespace lexi {

// Outlook on this workstation, loaded from its module when first needed. It
// runs once its store exists: asking whether it runs loads nothing until then.
class LazyOutlook final : public OutlookConnector {
public:
    LazyOutlook(std::string databasePath, Clock& clock, Ui& ui, const posix::DriveTable& drives);
    ~LazyOutlook() override;

    std::shared_ptr<OutlookApplication> running() override;
    // Failure 429 when the module cannot be loaded.
    std::shared_ptr<OutlookApplication> start() override;

private:
    OutlookConnector& loaded();

    std::string databasePath_;
    Clock& clock_;
    Ui& ui_;
    const posix::DriveTable& drives_;
    std::unique_ptr<OutlookConnector> outlook_;
};

} // namespace lexi
