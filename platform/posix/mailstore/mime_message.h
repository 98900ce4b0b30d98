#pragma once

#include "platform/posix/mailstore/mail_storage.h"

#include <chrono>
#include <string>

namespace lexi::mailstore {

// What makes one MIME text differ from the next one of the same mail: when
// it was written and a token unique to it.
struct MimeStamp {
    std::chrono::sys_seconds date;    // the Date header's moment
    std::chrono::minutes utcOffset{}; // the sender's offset from UTC, shown in Date
    std::string token;                // letters and digits; names the boundary and Message-ID
};

// The mail as an Internet message (RFC 5322 with MIME), CRLF line ends, as
// it goes to the mail server: From the account, To and Cc from the
// recipients (Bcc recipients are left out of the text), the subject and
// names as UTF-8 encoded words where needed, and a multipart/mixed body of
// the text (plain, or HTML when that is the mail's format) and each
// attachment that carries its data, all base64. The attachments an HTML text
// shows by their Content-ID ("cid:...") go with it, inline, in a
// multipart/related: the whole body when no other attachment remains, else
// the first part of the multipart/mixed. Line breaks and other control
// characters in header texts become spaces.
std::string buildMime(const msgfile::Message& mail, const Account& account, const MimeStamp& stamp);

// The Message-ID of the text buildMime makes with this stamp, without the
// angle brackets: the token at the account's mail domain.
std::string messageId(const Account& account, const MimeStamp& stamp);

// The address a recipient is reached at: its SMTP address, else its address
// when that is one; empty when it has none.
std::string deliveryAddress(const msgfile::Recipient& recipient);

} // namespace lexi::mailstore
