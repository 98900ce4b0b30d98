#pragma once

#include "platform/win32/automation.h"
#include "platform/word.h"

#include <memory>

namespace lexi::win32 {

// Word through its automation object model: "Word.Application", the running
// instance or a new one.
class AutomationWordConnector final : public WordConnector {
public:
    std::unique_ptr<WordApplication> running() override;
    std::unique_ptr<WordApplication> start() override;
};

// An application object of Word's model behind the program's interface.
std::unique_ptr<WordApplication> wordOf(DispatchObject application);

} // namespace lexi::win32
