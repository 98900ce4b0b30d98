// The Internet message text of a mail. Expected encodings were worked out
// with Python's base64 and urllib, not with the code under test.

#include "platform/posix/mailstore/mime_message.h"
#include "tests/mailstore/mail_parts.h"

#include <functional>
#include <gtest/gtest.h>

namespace lexi::mailstore {
namespace {

using namespace std::chrono;
using msgfile::RecipientType;
using testing::attachment;
using testing::recipient;

const MimeStamp Stamp{sys_days{year{2026} / 12 / 5} + 9h + 5min, minutes{60}, "TOKEN1"};

struct Mail {
    msgfile::Message message;
    Account account;
    MimeStamp stamp = Stamp;
};

Mail plainMail() {
    Mail mail;
    mail.message.subject = "Sag 12";
    mail.message.body = "Hej";
    mail.message.recipients = {recipient(RecipientType::To, "Ole", "ole@klient.dk")};
    mail.account.displayName = "Jens";
    mail.account.address = "jens@advokat.dk";
    return mail;
}

std::string repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}

const std::string Word18 = "=?UTF-8?B?w6bDpsOmw6bDpsOmw6bDpsOmw6bDpsOmw6bDpsOmw6bDpsOm?=";
const std::string Oe8 = "%C3%98%C3%98%C3%98%C3%98%C3%98%C3%98%C3%98%C3%98";

struct Case {
    const char* name;
    std::function<void(Mail&)> change;
    std::vector<std::string> present;
    std::vector<std::string> absent = {};
};

const Case Cases[] = {
    {"an ASCII subject stays readable",
     [](Mail& m) { m.message.subject = "Sag 12 - brev til klient"; },
     {"\r\nSubject: Sag 12 - brev til klient\r\n"}},
    {"a Danish subject is an encoded word",
     [](Mail& m) { m.message.subject = "Møde om sag 12"; },
     {"\r\nSubject: =?UTF-8?B?TcO4ZGUgb20gc2FnIDEy?=\r\n"}},
    {"a line break in the subject cannot start a header",
     [](Mail& m) { m.message.subject = "Hej\r\nBcc: spion@x.dk"; },
     {"\r\nSubject: Hej  Bcc: spion@x.dk\r\n"},
     {"\r\nBcc:"}},
    {"Bcc recipients are not in the text",
     [](Mail& m) {
         m.message.recipients.push_back(recipient(RecipientType::Bcc, "Arkiv", "arkiv@advokat.dk"));
     },
     {},
     {"Bcc", "BCC", "Arkiv", "arkiv"}},
    {"the sender's Danish name is an encoded word",
     [](Mail& m) { m.account.displayName = "Jens Ærø"; },
     {"From: =?UTF-8?B?SmVucyDDhnLDuA==?= <jens@advokat.dk>\r\n"}},
    {"a name with a comma or quote is quoted",
     [](Mail& m) { m.message.recipients[0].displayName = "Hansen, \"Ole\""; },
     {"\r\nTo: \"Hansen, \\\"Ole\\\"\" <ole@klient.dk>\r\n"}},
    {"To and Cc list each their recipients, one a line",
     [](Mail& m) {
         m.message.recipients.push_back(recipient(RecipientType::To, "Søren Ås", "s@klient.dk"));
         m.message.recipients.push_back(recipient(RecipientType::Cc, "", "mette@advokat.dk"));
         m.message.recipients.push_back(recipient(RecipientType::Cc, "b@x.dk", "b@x.dk"));
     },
     {"\r\nTo: Ole <ole@klient.dk>,\r\n =?UTF-8?B?U8O4cmVuIMOFcw==?= <s@klient.dk>\r\n",
      "\r\nCc: mette@advokat.dk,\r\n b@x.dk\r\n"}},
    {"a recipient without an address is left out",
     [](Mail& m) { m.message.recipients.push_back(recipient(RecipientType::Cc, "Ukendt", "")); },
     {},
     {"Ukendt", "\r\nCc:"}},
    {"an Exchange recipient is shown by its SMTP address",
     [](Mail& m) {
         m.message.recipients[0].addressType = "EX";
         m.message.recipients[0].address = "/O=FIRMA/CN=OLE";
         m.message.recipients[0].smtpAddress = "ole@firma.dk";
     },
     {"\r\nTo: Ole <ole@firma.dk>\r\n"},
     {"/O=FIRMA"}},
    {"the date in the sender's zone, the Message-ID in the account's domain",
     [](Mail&) {},
     {"\r\nDate: Sat, 05 Dec 2026 10:05:00 +0100\r\n", "\r\nMessage-ID: <TOKEN1@advokat.dk>\r\n",
      "\r\nMIME-Version: 1.0\r\n"}},
    {"a zone west of UTC has a minus",
     [](Mail& m) { m.stamp.utcOffset = minutes{-330}; },
     {"\r\nDate: Sat, 05 Dec 2026 03:35:00 -0530\r\n"}},
    {"a Message-ID without a usable domain",
     [](Mail& m) { m.account.address = "jens@ad>vokat"; },
     {"\r\nMessage-ID: <TOKEN1@lexitray.invalid>\r\n"}},
    {"the boundary opens each part and closes the body",
     [](Mail& m) { m.message.attachments = {attachment("a.pdf", "application/pdf")}; },
     {"\r\nContent-Type: multipart/mixed;\r\n boundary=\"=_Lexitray_TOKEN1\"\r\n\r\n"
      "--=_Lexitray_TOKEN1\r\nContent-Type: text/plain; charset=UTF-8\r\n"
      "Content-Transfer-Encoding: base64\r\n\r\nSGVq\r\n\r\n--=_Lexitray_TOKEN1\r\n",
      "\r\n\r\nJVBERgD/\r\n\r\n--=_Lexitray_TOKEN1--\r\n"}},
    {"an HTML mail sends its HTML",
     [](Mail& m) {
         m.message.bodyFormat = msgfile::BodyFormat::Html;
         m.message.htmlBody = "<p>Hej</p>";
     },
     {"Content-Type: text/html; charset=UTF-8\r\n", "\r\n\r\nPHA+SGVqPC9wPg==\r\n"},
     {"text/plain"}},
    {"an HTML mail without HTML sends its text",
     [](Mail& m) { m.message.bodyFormat = msgfile::BodyFormat::Html; },
     {"Content-Type: text/plain; charset=UTF-8\r\n"},
     {"text/html"}},
    {"bare line feeds of the text become CRLF",
     [](Mail& m) { m.message.body = "a\nb"; },
     {"\r\n\r\nYQ0KYg==\r\n"}},
    {"a Danish file name by RFC 2231",
     [](Mail& m) { m.message.attachments = {attachment("Stævning æøå.pdf", "application/pdf")}; },
     {"Content-Type: application/pdf;\r\n name*=UTF-8''St%C3%A6vning%20%C3%A6%C3%B8%C3%A5.pdf\r\n",
      "Content-Disposition: attachment;\r\n"
      " filename*=UTF-8''St%C3%A6vning%20%C3%A6%C3%B8%C3%A5.pdf\r\n"}},
    {"an ASCII file name is quoted",
     [](Mail& m) { m.message.attachments = {attachment("brev \"1\".pdf", "application/pdf")}; },
     {" filename=\"brev \\\"1\\\".pdf\"\r\n"}},
    {"an attachment without a usable type is octet-stream",
     [](Mail& m) {
         m.message.attachments = {attachment("a.bin", ""),
                                  attachment("b.txt", "text/plain\r\nX: y"),
                                  attachment("c", "text/plain/x")};
     },
     {"Content-Type: application/octet-stream;\r\n name=\"a.bin\"",
      "Content-Type: application/octet-stream;\r\n name=\"b.txt\"",
      "Content-Type: application/octet-stream;\r\n name=\"c\""},
     {"\r\nX: y"}},
    {"an attachment not carried by value is left out",
     [](Mail& m) {
         m.message.attachments = {attachment("link.lnk", "")};
         m.message.attachments[0].method = msgfile::AttachMethod::ByReference;
     },
     {},
     {"link.lnk"}},
    {"a long Danish subject, 18 letters to a word",
     [](Mail& m) { m.message.subject = repeat("æ", 42); },
     {"\r\nSubject: " + Word18 + "\r\n " + Word18 + "\r\n =?UTF-8?B?w6bDpsOmw6bDpsOm?=\r\n"}},
    {"a long ASCII subject is encoded to fold",
     [](Mail& m) { m.message.subject = std::string(70, 'a'); },
     {"\r\nSubject: =?UTF-8?B?"}},
    {"a long Danish file name in RFC 2231 segments",
     [](Mail& m) { m.message.attachments = {attachment(repeat("Ø", 25) + ".pdf", "")}; },
     {" filename*0*=UTF-8''" + Oe8 + ";\r\n filename*1*=" + Oe8 + ";\r\n filename*2*=" + Oe8 +
      ";\r\n filename*3*=%C3%98.pdf\r\n"}},
    {"a large attachment in base64 lines of 76",
     [](Mail& m) {
         m.message.attachments = {attachment("a.bin", "")};
         m.message.attachments[0].data = std::string(100, '\0');
     },
     {"\r\n" + std::string(76, 'A') + "\r\n" + std::string(58, 'A') + "==\r\n"}},
};

// Each case's parts are in the text or not, and every line of the text is
// short and ends with CRLF.
TEST(BuildMimeTest, WritesTheHeadersAndPartsInShortLines) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.name);
        Mail mail = plainMail();
        c.change(mail);
        const std::string text = buildMime(mail.message, mail.account, mail.stamp);
        for (const std::string& part : c.present) {
            EXPECT_NE(text.find(part), std::string::npos) << part << "\nin:\n" << text;
        }
        for (const std::string& part : c.absent) {
            EXPECT_EQ(text.find(part), std::string::npos) << part << "\nin:\n" << text;
        }
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            const std::string line = text.substr(start, end - start);
            EXPECT_LE(line.size(), 76u) << line;
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        }
        EXPECT_EQ(start, text.size()) << "the text ends with CRLF";
    }
}

} // namespace
} // namespace lexi::mailstore
