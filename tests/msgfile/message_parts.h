#pragma once

#include "platform/posix/msgfile/message.h"

// Comparing items read back with what was written: the fields, and the
// properties behind them, apart.

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

// Whether `copy` holds every property of `original` as it was, at every depth.
inline bool keepsEveryProperty(const lexi::msgfile::Message& original,
                               const lexi::msgfile::Message& copy) {
    const auto keeps = [](const lexi::msgfile::PropertyBag& from,
                          const lexi::msgfile::PropertyBag& to) {
        for (const auto& property : from) {
            const auto* kept = to.find(property.key, property.type);
            if (kept == nullptr || !(*kept == property)) {
                return false;
            }
        }
        return true;
    };
    if (!keeps(original.properties, copy.properties) ||
        original.recipients.size() != copy.recipients.size() ||
        original.attachments.size() != copy.attachments.size()) {
        return false;
    }
    for (std::size_t i = 0; i < original.recipients.size(); ++i) {
        if (!keeps(original.recipients[i].properties, copy.recipients[i].properties)) {
            return false;
        }
    }
    for (std::size_t i = 0; i < original.attachments.size(); ++i) {
        const auto& from = original.attachments[i];
        const auto& to = copy.attachments[i];
        if (!keeps(from.properties, to.properties) ||
            bool(from.embeddedMessage) != bool(to.embeddedMessage) ||
            (from.embeddedMessage &&
             !keepsEveryProperty(*from.embeddedMessage, *to.embeddedMessage))) {
            return false;
        }
    }
    return true;
}
