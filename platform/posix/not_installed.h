#pragma once

#include "platform/outlook.h"
#include "platform/shell.h"
#include "platform/window_search.h"
#include "platform/word.h"

namespace lexi::posix {

// Stand-ins for the services this workstation does not have yet: asking for
// them fails as an automation server that is not installed does, and the
// shell knows no file type.

class NoOutlook final : public OutlookConnector {
public:
    std::shared_ptr<OutlookApplication> running() override { return nullptr; }
    std::shared_ptr<OutlookApplication> start() override;
};

class NoWord final : public WordConnector {
public:
    std::unique_ptr<WordApplication> running() override { return nullptr; }
    std::unique_ptr<WordApplication> start() override;
};

class NoShell final : public Shell {
public:
    // 31: no application is associated with the verb.
    int execute(std::string_view, std::string_view, std::string_view, std::string_view,
                ShowMode) override {
        return 31;
    }
};

class NoWindows final : public WindowSearch {
public:
    bool findWindow(std::string_view, std::string_view) override { return false; }
};

} // namespace lexi::posix
