#include "platform/posix/mailstore/smtp_transport.h"

#include "platform/failure.h"
#include "platform/posix/loading/loaded_library.h"
#include "platform/posix/mailstore/mime_message.h"
#include "platform/posix/mailstore/sqlite_mail_storage.h"

#include <cstring>
#include <ctime>
#include <curl/curl.h>
#include <memory>

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
        refuse("\"" + address + "\" er ikke en mailadresse.");
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
        refuse("Mailen har ingen modtager med en mailadresse.");
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

// The calls of libcurl the transfer makes, from the library loaded when the
// first mail leaves: a program that never sends mail does not spend its start
// loading libcurl and the libraries it needs.
struct Curl {
    decltype(&curl_global_init) globalInit = nullptr;
    decltype(&curl_easy_init) easyInit = nullptr;
    decltype(&curl_easy_setopt) easySetopt = nullptr;
    decltype(&curl_easy_perform) easyPerform = nullptr;
    decltype(&curl_easy_strerror) easyStrerror = nullptr;
    decltype(&curl_easy_cleanup) easyCleanup = nullptr;
    decltype(&curl_slist_append) slistAppend = nullptr;
    decltype(&curl_slist_free_all) slistFreeAll = nullptr;

    // Refuses the mail when libcurl cannot be loaded.
    static const Curl& load() {
        static const Curl loaded = [] {
            Curl curl;
            const posix::LoadedLibrary library("libcurl.so.4");
            const bool complete = library.bind(curl.globalInit, "curl_global_init") &&
                                  library.bind(curl.easyInit, "curl_easy_init") &&
                                  library.bind(curl.easySetopt, "curl_easy_setopt") &&
                                  library.bind(curl.easyPerform, "curl_easy_perform") &&
                                  library.bind(curl.easyStrerror, "curl_easy_strerror") &&
                                  library.bind(curl.easyCleanup, "curl_easy_cleanup") &&
                                  library.bind(curl.slistAppend, "curl_slist_append") &&
                                  library.bind(curl.slistFreeAll, "curl_slist_free_all");
            if (complete) {
                curl.globalInit(CURL_GLOBAL_DEFAULT);
            } else {
                curl.globalInit = nullptr;
            }
            return curl;
        }();
        if (loaded.globalInit == nullptr) {
            refuse("Mailen kan ikke sendes herfra: libcurl (libcurl.so.4) kan ikke indlæses.");
        }
        return loaded;
    }
};

struct CurlDeleter {
    void operator()(CURL* handle) const { Curl::load().easyCleanup(handle); }
    void operator()(curl_slist* list) const { Curl::load().slistFreeAll(list); }
};
using CurlPtr = std::unique_ptr<CURL, CurlDeleter>;
using CurlListPtr = std::unique_ptr<curl_slist, CurlDeleter>;

CurlPtr newCurl(const Curl& curl) {
    CurlPtr handle(curl.easyInit());
    if (!handle) {
        refuse("Forbindelsen til mailserveren kunne ikke sættes op.");
    }
    return handle;
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

// Why the transfer failed, in the user's words. When the server refused, its
// own answer follows in quotes.
std::string transferFailure(CURLcode result, const std::string& serverRefusal) {
    if (!serverRefusal.empty()) {
        return "Mailserveren afviste mailen: \"" + serverRefusal + "\"";
    }
    switch (result) {
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
        return "Kontoens mailserver er ikke angivet som smtp:// eller smtps://.";
    case CURLE_COULDNT_RESOLVE_HOST:
        return "Mailserveren kunne ikke findes.";
    case CURLE_COULDNT_CONNECT:
        return "Mailserveren kunne ikke nås.";
    case CURLE_OPERATION_TIMEDOUT:
        return "Mailserveren svarede ikke i tide.";
    case CURLE_LOGIN_DENIED:
        return "Mailserveren afviste brugernavnet eller adgangskoden.";
    case CURLE_USE_SSL_FAILED:
        return "Mailserveren tilbyder ingen krypteret forbindelse, og adgangskoden sendes aldrig "
               "ukrypteret.";
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
        return "Forbindelsen til mailserveren kunne ikke krypteres sikkert.";
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return "Forbindelsen til mailserveren blev afbrudt.";
    case CURLE_WEIRD_SERVER_REPLY:
        return "Mailserveren svarede ikke, som en mailserver skal.";
    default:
        return "Mailen kunne ikke afleveres til mailserveren (fejl " + std::to_string(result) +
               ").";
    }
}

} // namespace

SmtpTransport::SmtpTransport(SmtpTimeouts timeouts) : timeouts_(timeouts) {}

std::string SmtpTransport::deliver(const msgfile::Message& mail, const Account& account) {
    if (account.address.empty()) {
        refuse("Kontoen har ingen afsenderadresse.");
    }
    checkAddress(account.address);
    const std::string from = "<" + account.address + ">";
    const Curl& curl = Curl::load();
    CurlListPtr recipients;
    for (const std::string& address : envelopeRecipients(mail)) {
        curl_slist* longer = curl.slistAppend(recipients.get(), address.c_str());
        if (!longer) {
            refuse("Der er ikke hukommelse nok til modtagerne.");
        }
        recipients.release();
        recipients.reset(longer);
    }
    const MimeStamp stamp = stampFor(mail);
    const std::string mime = buildMime(mail, account, stamp);
    std::string_view upload = mime;

    const CurlPtr owned = newCurl(curl);
    CURL* handle = owned.get();
    char error[CURL_ERROR_SIZE] = {};
    curl.easySetopt(handle, CURLOPT_ERRORBUFFER, error);
    curl.easySetopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl.easySetopt(handle, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl.easySetopt(handle, CURLOPT_URL, account.smtpUrl.c_str());
    // A password never crosses the network in the clear: with a user name the
    // connection must be encrypted; without one, encryption is taken when the
    // server offers it.
    curl.easySetopt(handle, CURLOPT_USE_SSL,
                    static_cast<long>(account.smtpUser.empty() ? CURLUSESSL_TRY : CURLUSESSL_ALL));
    curl.easySetopt(handle, CURLOPT_CONNECTTIMEOUT, static_cast<long>(timeouts_.connect.count()));
    curl.easySetopt(handle, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                    static_cast<long>(timeouts_.connect.count()));
    curl.easySetopt(handle, CURLOPT_TIMEOUT, static_cast<long>(timeouts_.total.count()));
    if (!account.smtpUser.empty()) {
        curl.easySetopt(handle, CURLOPT_USERNAME, account.smtpUser.c_str());
        curl.easySetopt(handle, CURLOPT_PASSWORD, account.smtpPassword.c_str());
    }
    curl.easySetopt(handle, CURLOPT_MAIL_FROM, from.c_str());
    curl.easySetopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
    curl.easySetopt(handle, CURLOPT_UPLOAD, 1L);
    curl.easySetopt(handle, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(mime.size()));
    curl.easySetopt(handle, CURLOPT_READFUNCTION, readUpload);
    curl.easySetopt(handle, CURLOPT_READDATA, &upload);
    std::string serverRefusal;
    curl.easySetopt(handle, CURLOPT_DEBUGFUNCTION, keepServerRefusal);
    curl.easySetopt(handle, CURLOPT_DEBUGDATA, &serverRefusal);
    curl.easySetopt(handle, CURLOPT_VERBOSE, 1L);

    const CURLcode result = curl.easyPerform(handle);
    if (result != CURLE_OK) {
        refuse(transferFailure(result, serverRefusal));
    }
    return messageId(account, stamp);
}

} // namespace lexi::mailstore
