#pragma once

#include "platform/posix/mailstore/mail_storage.h"

#include <string_view>

namespace lexi::mailstore {

// Reads a Restrict filter on a time property: "[SentOn] > '05-12-2026 9:50'"
// ([SentOn] or [ReceivedTime]; >, >=, < or <=; a Danish date, and a time of
// hours and minutes, seconds optional, in local time). Throws Failure 440
// "Cannot parse condition" for anything else, as Outlook does.
TimeFilter parseRestrictFilter(std::string_view filter);

} // namespace lexi::mailstore
