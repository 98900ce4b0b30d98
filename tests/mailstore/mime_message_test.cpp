// The Internet message text of a mail. Expected encodings were worked out
// with Python's base64 and urllib, not with the code under test. How a real
// server decodes a Danish mail with attachments is in smtp_transport_test.

#include "platform/posix/mailstore/mime_message.h"

#include <functional>
#include <gtest/gtest.h>

namespace lexi::mailstore {
namespace {

// Every line ends in CR LF, with no other CR or LF, and holds at most 76
// characters.
bool linesEndInCrLfWithin76(const std::string& text) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos || end - start > 76 ||
            text.find_first_of("\r\n", start) != end) {
            return false;
        }
        start = end + 2;
    }
    return true;
}

using namespace std::chrono;
using enum msgfile::RecipientType;

struct Mail {
    msgfile::Message message;
    Account account;
    MimeStamp stamp{sys_days{year{2026} / 12 / 5} + 9h + 5min, minutes{60}, "TOKEN1"};
};

void addRecipient(Mail& m, msgfile::RecipientType type, std::string name, std::string address) {
    m.message.recipients.push_back({type, std::move(name), std::move(address), "SMTP", ""});
}

void attach(Mail& m, std::string name, std::string mimeType, std::string data = "%PDF",
            std::string contentId = "") {
    m.message.attachments.push_back(
        {msgfile::AttachMethod::ByValue, data, "", name, "", mimeType, -1, contentId});
}

void html(Mail& m, std::string text) {
    m.message.bodyFormat = msgfile::BodyFormat::Html;
    m.message.htmlBody = std::move(text);
}

const std::string Related = "Content-Type: multipart/related; type=\"text/html\";\r\n "
                            "boundary=\"=_Lexitray_rel_TOKEN1\"\r\n\r\n--=_Lexitray_rel_TOKEN1\r\n"
                            "Content-Type: text/html";
const std::string InlineLogo = "Content-Transfer-Encoding: base64\r\nContent-ID: <logo@a.dk>\r\n"
                               "Content-Disposition: inline;\r\n filename=\"logo.png\"\r\n";

const std::string Word18 = "=?UTF-8?B?w6bDpsOmw6bDpsOmw6bDpsOmw6bDpsOmw6bDpsOmw6bDpsOm?=";
const std::string Oe8 = "%C3%98%C3%98%C3%98%C3%98%C3%98%C3%98%C3%98%C3%98";

const struct {
    const char* name;
    std::function<void(Mail&)> change;
    std::vector<std::string> present;
    std::vector<std::string> absent = {};
} Cases[] = {
    {"the plain mail, a Danish subject as an encoded word",
     [](Mail&) {},
     {"\r\nSubject: =?UTF-8?B?TcO4ZGUgb20gc2FnIDEy?=\r\n",
      "\r\nDate: Sat, 05 Dec 2026 10:05:00 +0100\r\n", "\r\nMessage-ID: <TOKEN1@advokat.dk>\r\n",
      "\r\nMIME-Version: 1.0\r\n"}},
    {"a line break in an ASCII subject, which stays readable",
     [](Mail& m) { m.message.subject = "Hej\r\nBcc: spion@x.dk"; },
     {"\r\nSubject: Hej  Bcc: spion@x.dk\r\n"},
     {"\r\nBcc:"}},
    {"recipients one a line, by SMTP address, quoted where they must be",
     [](Mail& m) {
         m.message.recipients[0].displayName = "A, \"B\"";
         addRecipient(m, To, "Søren Ås", "s@klient.dk");
         addRecipient(m, Cc, "", "mette@advokat.dk");
         addRecipient(m, Cc, "b@x.dk", "b@x.dk");
         m.message.recipients.push_back({Cc, "O", "/O=F", "EX", "o@f.dk"});
         addRecipient(m, Cc, "Ukendt", "");
     },
     {"\r\nTo: \"A, \\\"B\\\"\" <ole@klient.dk>,\r\n =?UTF-8?B?U8O4cmVuIMOFcw==?= "
      "<s@klient.dk>\r\n",
      "\r\nCc: mette@advokat.dk,\r\n b@x.dk,\r\n O <o@f.dk>\r\n"},
     {"Ukendt", "/O=F"}},
    {"a zone west of UTC, no usable domain",
     [](Mail& m) {
         m.stamp.utcOffset = minutes{-330};
         m.account.address = "jens@ad>vokat";
     },
     {"\r\nDate: Sat, 05 Dec 2026 03:35:00 -0530\r\n",
      "\r\nMessage-ID: <TOKEN1@lexitray.invalid>\r\n"}},
    {"an HTML mail without HTML, with bare line feeds",
     [](Mail& m) {
         m.message.bodyFormat = msgfile::BodyFormat::Html;
         m.message.body = "a\nb";
     },
     {"Content-Type: text/plain; charset=UTF-8\r\n", "\r\n\r\nYQ0KYg==\r\n"},
     {"text/html"}},
    {"an HTML mail, ASCII file names, unusable types, an attachment by reference",
     [](Mail& m) {
         m.message.bodyFormat = msgfile::BodyFormat::Html;
         m.message.htmlBody = "<p>Hej</p>";
         attach(m, "brev \"1\".pdf", "text/plain\r\nX: y");
         attach(m, "c", "text/plain/x");
         attach(m, "link.lnk", "");
         m.message.attachments[2].method = msgfile::AttachMethod::ByReference;
     },
     {"Content-Type: text/html; charset=UTF-8\r\n", "\r\n\r\nPHA+SGVqPC9wPg==\r\n",
      "Content-Type: application/octet-stream;\r\n name=\"brev \\\"1\\\".pdf\"",
      " filename=\"brev \\\"1\\\".pdf\"\r\n",
      "Content-Type: application/octet-stream;\r\n name=\"c\""},
     {"\r\nX: y", "link.lnk", "text/plain"}},
    {"an HTML mail showing its only attachment, a picture, in a link that says CID",
     [](Mail& m) {
         html(m, "<img src=\"CID:logo@a.dk\">");
         attach(m, "logo.png", "image/png", "PNG", "logo@a.dk");
     },
     {"\r\nMIME-Version: 1.0\r\n" + Related, InlineLogo, "--=_Lexitray_rel_TOKEN1--\r\n"},
     {"multipart/mixed"}},
    {"a picture shown, attachments with Content-IDs the HTML does not show",
     [](Mail& m) {
         html(m, "<img src='cid:logo@a.dk'><a href=cid:brev>x</a> cid:note.txt2 cid:a b");
         attach(m, "brev.pdf", "application/pdf", "%PDF", "brev.pd");
         attach(m, "logo.png", "image/png", "PNG", "logo@a.dk");
         attach(m, "note.txt", "text/plain", "x", "note.txt");
         attach(m, "a b.txt", "text/plain", "x", "a b");
     },
     {"\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed;\r\n "
      "boundary=\"=_Lexitray_TOKEN1\"\r\n\r\n--=_Lexitray_TOKEN1\r\n" +
          Related,
      "\r\n--=_Lexitray_rel_TOKEN1\r\nContent-Type: image/png;\r\n name=\"logo.png\"\r\n" +
          InlineLogo,
      "--=_Lexitray_rel_TOKEN1--\r\n\r\n--=_Lexitray_TOKEN1\r\nContent-Type: application/pdf",
      "Content-Disposition: attachment;\r\n filename=\"note.txt\"",
      "Content-Disposition: attachment;\r\n filename=\"a b.txt\""},
     {"Content-ID: <brev", "Content-ID: <note", "Content-ID: <a b"}},
    {"a plain-text mail with HTML that names its attachment",
     [](Mail& m) {
         m.message.htmlBody = "<img src=\"cid:logo@a.dk\">";
         attach(m, "logo.png", "image/png", "PNG", "logo@a.dk");
     },
     {"Content-Disposition: attachment;\r\n filename=\"logo.png\""},
     {"related", "Content-ID"}},
    {"a long Danish subject",
     [](Mail& m) { m.message.subject = "ææææææææææææææææææææææææææææææææææææææææææ"; },
     {"\r\nSubject: " + Word18 + "\r\n " + Word18 + "\r\n =?UTF-8?B?w6bDpsOmw6bDpsOm?=\r\n"}},
    {"a long ASCII subject",
     [](Mail& m) { m.message.subject = std::string(70, 'a'); },
     {"\r\nSubject: =?UTF-8?B?"}},
    {"a long Danish file name, a large attachment",
     [](Mail& m) { attach(m, "ØØØØØØØØØØØØØØØØØØØØØØØØØ.pdf", "", std::string(100, '\0')); },
     {" filename*0*=UTF-8''" + Oe8 + ";\r\n filename*1*=" + Oe8 + ";\r\n filename*2*=" + Oe8 +
          ";\r\n filename*3*=%C3%98.pdf\r\n",
      "\r\n" + std::string(76, 'A') + "\r\n" + std::string(58, 'A') + "==\r\n"}},
};

// Each case's parts are in the text or not, and every line of the text is
// short and ends with CRLF.
TEST(BuildMimeTest, WritesTheHeadersAndPartsInShortLines) {
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.name);
        Mail mail;
        mail.account.displayName = "Jens";
        mail.account.address = "jens@advokat.dk";
        mail.message.subject = "Møde om sag 12";
        addRecipient(mail, To, "Ole", "ole@klient.dk");
        c.change(mail);
        const std::string text = buildMime(mail.message, mail.account, mail.stamp);
        for (const auto& [parts, found] :
             {std::pair{c.present, true}, std::pair{c.absent, false}}) {
            for (const std::string& part : parts) {
                EXPECT_EQ(text.find(part) != std::string::npos, found) << part << " in:\n" << text;
            }
        }
        EXPECT_TRUE(linesEndInCrLfWithin76(text)) << text;
    }
}

} // namespace
} // namespace lexi::mailstore
