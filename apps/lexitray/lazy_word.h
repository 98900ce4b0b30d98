#pragma once

#include "platform/posix/drive_table.h"
#include "platform/printers.h"
#include "platform/word.h"

#include <memory>
#include <string>

namespace lexi {

// Word on this workstation, loaded from its module when first needed.
class LazyWord final : public WordConnector {
public:
    LazyWord(std::string home, const posix::DriveTable& drives, Printers& printers);
    ~LazyWord() override;

    // Null also when the module cannot be loaded.
    std::unique_ptr<WordApplication> running() override;
    // Failure 429 when the module cannot be loaded.
    std::unique_ptr<WordApplication> start() override;

private:
    WordConnector* loaded();

    std::string home_;
    const posix::DriveTable& drives_;
    Printers& printers_;
    std::unique_ptr<WordConnector> word_;
};

} // namespace lexi
