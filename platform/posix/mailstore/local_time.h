#pragma once

#include "platform/clock.h"
#include "platform/posix/msgfile/message.h"

namespace lexi::mailstore {

// Stored times are UTC; Outlook shows them in the workstation's time zone.
// "No date" is 1 January 4501 both ways.
LocalDateTime toLocal(msgfile::Time time);
msgfile::Time fromLocal(const LocalDateTime& local);

} // namespace lexi::mailstore
