#include "platform/posix/not_installed.h"

#include "platform/failure.h"

namespace lexi::posix {

std::shared_ptr<OutlookApplication> NoOutlook::start() {
    throw Failure(failure::CannotCreateObject, "Outlook.Application");
}

std::unique_ptr<WordApplication> NoWord::start() {
    throw Failure(failure::CannotCreateObject, "Word.Application");
}

} // namespace lexi::posix
