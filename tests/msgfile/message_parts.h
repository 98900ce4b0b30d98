#pragma once

#include "platform/posix/msgfile/message.h"

// Comparing items read back with what was written, field by field.

// The item's fields without the properties behind them, at every depth.
inline lexi::msgfile::Message fieldsOnly(lexi::msgfile::Message m) {
    m.properties = {};
    for (auto& recipient : m.recipients) {
        recipient.properties = {};
    }
    for (auto& attachment : m.attachments) {
        attachment.properties = {};
        if (attachment.embeddedMessage) {
            *attachment.embeddedMessage = fieldsOnly(std::move(*attachment.embeddedMessage));
        }
    }
    return m;
}
