#pragma once

#include "platform/outlook.h"
#include "platform/word.h"

namespace lexi::win32 {

// Outlook and Word until their automation is connected: neither is found
// running, and starting one fails as an automation server that cannot be
// created does (429).

class OutlookNotConnected final : public OutlookConnector {
public:
    std::shared_ptr<OutlookApplication> running() override { return nullptr; }
    std::shared_ptr<OutlookApplication> start() override;
};

class WordNotConnected final : public WordConnector {
public:
    std::unique_ptr<WordApplication> running() override { return nullptr; }
    std::unique_ptr<WordApplication> start() override;
};

} // namespace lexi::win32
