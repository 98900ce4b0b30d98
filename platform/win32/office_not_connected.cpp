#include "platform/win32/office_not_connected.h"

#include "platform/failure.h"

namespace lexi::win32 {

std::unique_ptr<WordApplication> WordNotConnected::start() {
    throw Failure(failure::CannotCreateObject, "Word.Application");
}

} // namespace lexi::win32
