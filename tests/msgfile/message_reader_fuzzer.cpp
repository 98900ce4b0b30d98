#include "platform/failure.h"
#include "platform/posix/msgfile/message_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes either read as an item or fail with a lexi::Failure; anything else
// (a crash, another exception, a leak, a hang, a huge allocation) is a fault.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        lexi::msgfile::readMessage(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const lexi::Failure&) {
    }
    return 0;
}
