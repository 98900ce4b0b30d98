#include "platform/posix/msgfile/message.h"

namespace lexi::msgfile {

NestedMessage::NestedMessage() = default;
NestedMessage::NestedMessage(Message message)
    : message_(std::make_unique<Message>(std::move(message))) {}
NestedMessage::NestedMessage(const NestedMessage& other)
    : message_(other.message_ ? std::make_unique<Message>(*other.message_) : nullptr) {}
NestedMessage::NestedMessage(NestedMessage&& other) noexcept = default;
NestedMessage& NestedMessage::operator=(NestedMessage&& other) noexcept = default;
NestedMessage::~NestedMessage() = default;

NestedMessage& NestedMessage::operator=(const NestedMessage& other) {
    if (this != &other) {
        *this = NestedMessage(other);
    }
    return *this;
}

bool NestedMessage::operator==(const NestedMessage& other) const {
    return message_ && other.message_ ? *message_ == *other.message_ : message_ == other.message_;
}

} // namespace lexi::msgfile
