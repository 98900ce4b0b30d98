#include "platform/posix/mailstore/smtp_transport.h"

#include "platform/failure.h"
#include "platform/posix/mailstore/mime_message.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"

#include <cstring>
#include <ctime>
#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace lexi::mailstore {
namespace {

[[noreturn]] void refuse(const std::string& reason) {
    throw Failure(failure::AutomationError, reason, "SMTP");
}

// An address that can stand in "MAIL FROM:<...>" or "RCPT TO:<...>" without
// changing the command: no spaces, control characters or angle brackets.
void checkAddress(const std::string& address) {
    bool fits = address.find('@') != std::string::npos;
    for (const char c : address) {
        fits = fits && static_cast<unsigned char>(c) > 0x20 && c != 0x7F && c != '<' && c != '>';
    }
    if (!fits) {
        refuse("Not a mail address: \"" + address + "\"");
    }
}

std::vector<std::string> envelopeRecipients(const msgfile::Message& mail) {
    std::vector<std::string> addresses;
    for (const msgfile::Recipient& recipient : mail.recipients) {
        std::string address = deliveryAddress(recipient);
        if (!address.empty()) {
            checkAddress(address);
            addresses.push_back("<" + address + ">");
        }
    }
    if (addresses.empty()) {
        refuse("The mail has no recipient with a mail address.");
    }
    return addresses;
}

// The mail's send time (now, when it has none) in the local time zone, and
// a fresh token.
MimeStamp stampFor(const msgfile::Message& mail) {
    const auto date =
        mail.sentOn == msgfile::NoDate
            ? std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now())
            : std::chrono::floor<std::chrono::seconds>(mail.sentOn);
    const std::time_t seconds = date.time_since_epoch().count();
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return {date, std::chrono::minutes{local.tm_gmtoff / 60}, newEntryId().substr(8)};
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlPtr = std::unique_ptr<CURL, CurlDeleter>;
using CurlListPtr = std::unique_ptr<curl_slist, CurlDeleter>;

CurlPtr newCurl() {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    CurlPtr curl(curl_easy_init());
    if (!curl) {
        refuse("The mail transfer could not be set up.");
    }
    return curl;
}

// Feeds the MIME text to libcurl.
std::size_t readUpload(char* buffer, std::size_t size, std::size_t count, void* data) {
    auto& left = *static_cast<std::string_view*>(data);
    const std::size_t length = std::min(size * count, left.size());
    std::memcpy(buffer, left.data(), length);
    left.remove_prefix(length);
    return length;
}

// Keeps the server's last refusal (a 4xx or 5xx answer), the line that says
// why in its own words.
int keepServerRefusal(CURL*, curl_infotype type, char* data, std::size_t size, void* kept) {
    if (type == CURLINFO_HEADER_IN && size > 0 && (data[0] == '4' || data[0] == '5')) {
        std::string line(data, size);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.pop_back();
        }
        *static_cast<std::string*>(kept) = line;
    }
    return 0;
}

} // namespace

SmtpTransport::SmtpTransport(SmtpTimeouts timeouts) : timeouts_(timeouts) {}

std::string SmtpTransport::deliver(const msgfile::Message& mail, const Account& account) {
    if (account.address.empty()) {
        refuse("The account has no sender address.");
    }
    checkAddress(account.address);
    const std::string from = "<" + account.address + ">";
    CurlListPtr recipients;
    for (const std::string& address : envelopeRecipients(mail)) {
        curl_slist* longer = curl_slist_append(recipients.get(), address.c_str());
        if (!longer) {
            refuse("Out of memory for the recipients.");
        }
        recipients.release();
        recipients.reset(longer);
    }
    const MimeStamp stamp = stampFor(mail);
    const std::string mime = buildMime(mail, account, stamp);
    std::string_view upload = mime;

    const CurlPtr curl = newCurl();
    CURL* handle = curl.get();
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(handle, CURLOPT_URL, account.smtpUrl.c_str());
    // A password never crosses the network in the clear: with a user name the
    // connection must be encrypted; without one, encryption is taken when the
    // server offers it.
    curl_easy_setopt(handle, CURLOPT_USE_SSL,
                     static_cast<long>(account.smtpUser.empty() ? CURLUSESSL_TRY : CURLUSESSL_ALL));
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, static_cast<long>(timeouts_.connect.count()));
    curl_easy_setopt(handle, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     static_cast<long>(timeouts_.connect.count()));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, static_cast<long>(timeouts_.total.count()));
    if (!account.smtpUser.empty()) {
        curl_easy_setopt(handle, CURLOPT_USERNAME, account.smtpUser.c_str());
        curl_easy_setopt(handle, CURLOPT_PASSWORD, account.smtpPassword.c_str());
    }
    curl_easy_setopt(handle, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(mime.size()));
    curl_easy_setopt(handle, CURLOPT_READFUNCTION, readUpload);
    curl_easy_setopt(handle, CURLOPT_READDATA, &upload);
    std::string serverRefusal;
    curl_easy_setopt(handle, CURLOPT_DEBUGFUNCTION, keepServerRefusal);
    curl_easy_setopt(handle, CURLOPT_DEBUGDATA, &serverRefusal);
    curl_easy_setopt(handle, CURLOPT_VERBOSE, 1L);

    const CURLcode result = curl_easy_perform(handle);
    if (result != CURLE_OK) {
        std::string reason = error[0] != '\0' ? error : curl_easy_strerror(result);
        if (!serverRefusal.empty()) {
            reason += " (" + serverRefusal + ")";
        }
        refuse("The mail could not be delivered: " + reason);
    }
    return messageId(account, stamp);
}

} // namespace lexi::mailstore
