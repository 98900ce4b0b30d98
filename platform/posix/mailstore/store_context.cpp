#include "platform/posix/mailstore/store_context.h"

#include "platform/failure.h"

namespace lexi::mailstore {

const StoreServices& StoreContext::services() const {
    if (!open_) {
        storeRefuses("The object invoked has disconnected from its clients.");
    }
    return services_;
}

void unsupportedMember() {
    throw Failure(438, "MailStore");
}

void storeRefuses(const std::string& description) {
    throw Failure(failure::AutomationError, description, "MailStore");
}

} // namespace lexi::mailstore
