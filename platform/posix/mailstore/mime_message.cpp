#include "platform/posix/mailstore/mime_message.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace lexi::mailstore {
namespace {

constexpr std::string_view Crlf = "\r\n";
// Base64 lines and encoded words stay within MIME's 76 characters.
constexpr std::size_t Base64LineLength = 76;
// Bytes of text per encoded word: 48 base64 characters, so that a word of
// 60 and the header name fit a line.
constexpr std::size_t EncodedWordBytes = 36;
// Percent-encoded characters per RFC 2231 parameter segment.
constexpr std::size_t ParameterSegmentLength = 48;

std::string base64(std::string_view bytes) {
    static constexpr char Alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t left = bytes.size() - at;
        std::uint32_t group = static_cast<unsigned char>(bytes[at]) << 16;
        if (left > 1) {
            group |= static_cast<unsigned char>(bytes[at + 1]) << 8;
        }
        if (left > 2) {
            group |= static_cast<unsigned char>(bytes[at + 2]);
        }
        out += Alphabet[(group >> 18) & 63];
        out += Alphabet[(group >> 12) & 63];
        out += left > 1 ? Alphabet[(group >> 6) & 63] : '=';
        out += left > 2 ? Alphabet[group & 63] : '=';
    }
    return out;
}

std::string base64Lines(std::string_view bytes) {
    const std::string encoded = base64(bytes);
    std::string out;
    for (std::size_t at = 0; at < encoded.size(); at += Base64LineLength) {
        out.append(encoded, at, Base64LineLength).append(Crlf);
    }
    return out;
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

bool isAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// A header text on one line: control characters (line breaks above all,
// which would start a header of their own) become spaces.
std::string singleLine(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (isControl(c)) {
            c = ' ';
        }
    }
    return out;
}

// The length of the longest start of `text` of at most `limit` bytes that
// ends between two UTF-8 characters.
std::size_t wholeCharacters(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    std::size_t length = limit;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;
    }
    return length > 0 ? length : limit;
}

// RFC 2047 encoded words, folded one to a line, each holding whole characters.
std::string encodedWords(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const std::size_t length = wholeCharacters(text, EncodedWordBytes);
        if (!out.empty()) {
            out += "\r\n ";
        }
        out += "=?UTF-8?B?" + base64(text.substr(0, length)) + "?=";
        text.remove_prefix(length);
    }
    return out;
}

// An unstructured header text (the subject) as it may stand in the header.
std::string unstructured(std::string_view text) {
    const std::string line = singleLine(text);
    constexpr std::size_t FitsOneLine = 66;
    const bool plain =
        isAscii(line) && line.size() <= FitsOneLine && line.find("=?") == std::string::npos;
    return plain ? line : encodedWords(line);
}

bool isAtomText(char c) {
    static constexpr std::string_view Symbols = "!#$%&'*+-/=?^_`{|}~ ";
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           Symbols.find(c) != std::string_view::npos;
}

// A character that stands for itself in an RFC 2231 parameter value.
bool isAttributeChar(char c) {
    static constexpr std::string_view Others = "!#$&+-.^_`|~";
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           Others.find(c) != std::string_view::npos;
}

// A display name: as it is when it needs no quoting, quoted when it is ASCII,
// else encoded words.
std::string phrase(std::string_view name) {
    const std::string line = singleLine(name);
    if (!isAscii(line) || line.find("=?") != std::string::npos) {
        return encodedWords(line);
    }
    bool plain = true;
    for (const char c : line) {
        plain = plain && isAtomText(c);
    }
    if (plain) {
        return line;
    }
    std::string quoted = "\"";
    for (const char c : line) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

std::string mailbox(std::string_view name, std::string_view address) {
    if (name.empty() || name == address) {
        return std::string(address);
    }
    return phrase(name) + " <" + std::string(address) + ">";
}

std::string addressList(const msgfile::Message& mail, msgfile::RecipientType type) {
    std::string out;
    for (const msgfile::Recipient& recipient : mail.recipients) {
        const std::string address = deliveryAddress(recipient);
        if (recipient.type != type || address.empty()) {
            continue;
        }
        if (!out.empty()) {
            out += ",\r\n ";
        }
        out += mailbox(recipient.displayName, address);
    }
    return out;
}

// RFC 5322's date: "Sat, 05 Dec 2026 10:05:00 +0100", in the sender's time.
std::string dateText(const MimeStamp& stamp) {
    static constexpr std::array<const char*, 7> Days = {"Sun", "Mon", "Tue", "Wed",
                                                        "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> Months = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const auto local = stamp.date + stamp.utcOffset;
    const auto day = std::chrono::floor<std::chrono::days>(local);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss time{local - day};
    const int offset = static_cast<int>(stamp.utcOffset.count());
    const int absolute = offset < 0 ? -offset : offset;
    char text[40] = {};
    std::snprintf(text, sizeof text, "%s, %02u %s %d %02d:%02d:%02d %c%02d%02d",
                  Days[std::chrono::weekday{day}.c_encoding()], static_cast<unsigned>(date.day()),
                  Months[static_cast<unsigned>(date.month()) - 1], static_cast<int>(date.year()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()), offset < 0 ? '-' : '+', absolute / 60,
                  absolute % 60);
    return text;
}

// The right-hand side of the Message-ID: the account's mail domain when it
// is a plain host name.
std::string messageIdDomain(std::string_view address) {
    const std::size_t at = address.rfind('@');
    const std::string_view domain =
        at == std::string_view::npos ? std::string_view{} : address.substr(at + 1);
    bool plain = !domain.empty();
    for (const char c : domain) {
        plain = plain && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '.' || c == '-');
    }
    return plain ? std::string(domain) : "lexitray.invalid";
}

// A MIME parameter, `name="value"` for a plain ASCII value, else RFC 2231's
// `name*=UTF-8''...` in segments short enough for a line each.
std::string parameter(std::string_view name, std::string_view value) {
    const std::string line = singleLine(value);
    if (isAscii(line)) {
        std::string quoted;
        for (const char c : line) {
            if (c == '"' || c == '\\') {
                quoted += '\\';
            }
            quoted += c;
        }
        return std::string(name) + "=\"" + quoted + "\"";
    }
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::vector<std::string> segments{""};
    for (const char c : line) {
        std::string piece(1, c);
        if (!isAttributeChar(c)) {
            const auto byte = static_cast<unsigned char>(c);
            piece = {'%', Hex[byte >> 4], Hex[byte & 0xF]};
        }
        if (segments.back().size() + piece.size() > ParameterSegmentLength) {
            segments.emplace_back();
        }
        segments.back() += piece;
    }
    if (segments.size() == 1) {
        return std::string(name) + "*=UTF-8''" + segments.front();
    }
    std::string out;
    for (std::size_t index = 0; index < segments.size(); ++index) {
        out += (index == 0 ? "" : ";\r\n ") + std::string(name) + "*" + std::to_string(index) +
               "*=" + (index == 0 ? "UTF-8''" : "") + segments[index];
    }
    return out;
}

// The attachment's content type when it is a plain "type/subtype".
std::string contentType(std::string_view mimeType) {
    const std::size_t slash = mimeType.find('/');
    bool plain = slash != std::string_view::npos && slash > 0 && slash + 1 < mimeType.size() &&
                 mimeType.rfind('/') == slash;
    for (const char c : mimeType) {
        plain = plain && (isAttributeChar(c) || c == '/');
    }
    return plain ? std::string(mimeType) : "application/octet-stream";
}

// Text in MIME's canonical form: every line ending in CRLF.
std::string canonicalLines(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r') {
            out += Crlf;
            if (at + 1 < text.size() && text[at + 1] == '\n') {
                ++at;
            }
        } else if (text[at] == '\n') {
            out += Crlf;
        } else {
            out += text[at];
        }
    }
    return out;
}

bool isHtml(const msgfile::Message& mail) {
    return mail.bodyFormat == msgfile::BodyFormat::Html && !mail.htmlBody.empty();
}

std::string textPart(const msgfile::Message& mail) {
    const bool html = isHtml(mail);
    return std::string("Content-Type: text/") + (html ? "html" : "plain") +
           "; charset=UTF-8\r\n"
           "Content-Transfer-Encoding: base64\r\n\r\n" +
           base64Lines(canonicalLines(html ? mail.htmlBody : mail.body));
}

// A Content-ID that can stand between the angle brackets of its header:
// printable ASCII without spaces or angle brackets.
bool isUsableContentId(std::string_view id) {
    bool usable = !id.empty();
    for (const char c : id) {
        usable = usable && static_cast<unsigned char>(c) > 0x20 && c != 0x7F &&
                 static_cast<unsigned char>(c) < 0x80 && c != '<' && c != '>';
    }
    return usable;
}

// Whether the HTML shows the attachment in its text: it names it by its
// Content-ID in a "cid:" link that ends there (at a quote, bracket, space or
// the end of the HTML).
bool isShownInHtml(const msgfile::Attachment& attachment, std::string_view html) {
    const std::string& id = attachment.contentId;
    if (attachment.method != msgfile::AttachMethod::ByValue || !isUsableContentId(id)) {
        return false;
    }
    static constexpr std::string_view LinkEnds = "\"')> \t\r\n";
    for (std::size_t at = html.find(':'); at != std::string_view::npos;
         at = html.find(':', at + 1)) {
        const bool cid = at >= 3 && (html[at - 3] | 0x20) == 'c' && (html[at - 2] | 0x20) == 'i' &&
                         (html[at - 1] | 0x20) == 'd';
        const std::size_t end = at + 1 + id.size();
        if (cid && html.substr(at + 1, id.size()) == id &&
            (end == html.size() || LinkEnds.find(html[end]) != std::string_view::npos)) {
            return true;
        }
    }
    return false;
}

// An attachment's part: offered for saving, or, shown inline in the HTML,
// named by its Content-ID.
std::string attachmentPart(const msgfile::Attachment& attachment, bool inlined) {
    const std::string& name = !attachment.longFileName.empty() ? attachment.longFileName
                              : !attachment.fileName.empty()   ? attachment.fileName
                                                               : attachment.displayName;
    return "Content-Type: " + contentType(attachment.mimeType) + ";\r\n " +
           parameter("name", name) +
           "\r\n"
           "Content-Transfer-Encoding: base64\r\n" +
           (inlined ? "Content-ID: <" + attachment.contentId + ">\r\n" : "") +
           "Content-Disposition: " + (inlined ? "inline" : "attachment") + ";\r\n " +
           parameter("filename", name) + "\r\n\r\n" + base64Lines(attachment.data);
}

// A multipart entity of these parts: its Content-Type header (`type` with
// its parameters before the boundary's) and the parts between boundaries.
std::string multipart(std::string_view type, std::string_view boundary,
                      const std::vector<std::string>& parts) {
    std::string out = "Content-Type: " + std::string(type) + ";\r\n boundary=\"" +
                      std::string(boundary) + "\"\r\n";
    for (const std::string& part : parts) {
        out.append("\r\n--").append(boundary).append(Crlf).append(part);
    }
    return out.append("\r\n--").append(boundary).append("--\r\n");
}

void addHeader(std::string& out, std::string_view name, std::string_view value) {
    if (!value.empty()) {
        out.append(name).append(": ").append(value).append(Crlf);
    }
}

} // namespace

std::string deliveryAddress(const msgfile::Recipient& recipient) {
    if (!recipient.smtpAddress.empty()) {
        return recipient.smtpAddress;
    }
    const bool smtp = recipient.addressType.empty() || recipient.addressType == "SMTP" ||
                      recipient.addressType == "smtp";
    return smtp ? recipient.address : std::string();
}

std::string buildMime(const msgfile::Message& mail, const Account& account,
                      const MimeStamp& stamp) {
    std::string out;
    addHeader(out, "From", mailbox(account.displayName, account.address));
    addHeader(out, "To", addressList(mail, msgfile::RecipientType::To));
    addHeader(out, "Cc", addressList(mail, msgfile::RecipientType::Cc));
    addHeader(out, "Subject", unstructured(mail.subject));
    addHeader(out, "Date", dateText(stamp));
    addHeader(out, "Message-ID", std::string("<").append(messageId(account, stamp)).append(">"));
    if (mail.importance == msgfile::Importance::High) {
        addHeader(out, "Importance", "high");
    } else if (mail.importance == msgfile::Importance::Low) {
        addHeader(out, "Importance", "low");
    }
    addHeader(out, "MIME-Version", "1.0");
    // The pictures the HTML shows go with it in a multipart/related; the
    // other attachments follow the text in the multipart/mixed.
    std::vector<std::string> shown{textPart(mail)};
    std::vector<std::string> mixed;
    for (const msgfile::Attachment& attachment : mail.attachments) {
        if (isHtml(mail) && isShownInHtml(attachment, mail.htmlBody)) {
            shown.push_back(attachmentPart(attachment, true));
        } else if (attachment.method == msgfile::AttachMethod::ByValue) {
            mixed.push_back(attachmentPart(attachment, false));
        }
    }
    const std::string related =
        multipart("multipart/related; type=\"text/html\"", "=_Lexitray_rel_" + stamp.token, shown);
    if (shown.size() > 1 && mixed.empty()) {
        return out + related;
    }
    mixed.insert(mixed.begin(), shown.size() > 1 ? related : shown.front());
    return out + multipart("multipart/mixed", "=_Lexitray_" + stamp.token, mixed);
}

std::string messageId(const Account& account, const MimeStamp& stamp) {
    return stamp.token + "@" + messageIdDomain(account.address);
}

} // namespace lexi::mailstore
