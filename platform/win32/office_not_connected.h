#pragma once

#include "platform/word.h"

namespace lexi::win32 {

// Word until its automation is connected: it is never found running, and
// starting it fails as an automation server that cannot be created does
// (429).

class WordNotConnected final : public WordConnector {
public:
    std::unique_ptr<WordApplication> running() override { return nullptr; }
    std::unique_ptr<WordApplication> start() override;
};

} // namespace lexi::win32
