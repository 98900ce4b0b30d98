// Delivery through a real SMTP conversation with a mail server on loopback
// (tests/mailstore/smtp_sink.py, which decodes what it receives), and the
// ways a delivery fails.

#include "platform/failure.h"
#include "platform/posix/mailstore/smtp_transport.h"
#include "tests/mailstore/smtp_sink.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <numeric>

namespace lexi::mailstore {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using enum msgfile::RecipientType;
using enum msgfile::AttachMethod;
using namespace ::testing;

class SmtpDeliveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sink.started())
            << "smtp_sink.py did not start; it needs Debian's python3-aiosmtpd";
    }

    testing::TempFolder folder;
    testing::SmtpSink sink{folder.path()};
    Account sender{"Jens Ærø", "jens@advokat.dk", "", "", sink.url(), "", ""};
    msgfile::Message mail = [] {
        msgfile::Message mail;
        mail.subject = "Møde om sag 12";
        mail.body = "Kære Søren\r\nVi ses på kontoret i Århus.\r\n.\r\nHilsen";
        mail.recipients = {{To, "Søren Ås", "soren@klient.dk", "SMTP", ""},
                           {Cc, "Mette", "mette@advokat.dk", "SMTP", ""},
                           {Bcc, "Arkiv", "arkiv@advokat.dk", "SMTP", ""}};
        std::string bytes(3000, '\0'); // every byte value, CR, LF and dots among them
        std::iota(bytes.begin(), bytes.end(), '\0');
        mail.attachments = {{ByValue, bytes, "", "Stævning æøå.pdf", "", "application/pdf"},
                            {ByValue, "Linje 1\r\n", "", "noter.txt", "", ""}};
        return mail;
    }();
};

TEST_F(SmtpDeliveryTest, DeliversToEveryRecipientAndKeepsBccOutOfTheText) {
    SmtpTransport().deliver(mail, sender);
    EXPECT_EQ(testing::readHostFile(folder.path() / "1/mail.txt"),
              "envelope: jens@advokat.dk -> soren@klient.dk, mette@advokat.dk, arkiv@advokat.dk\n"
              "headers: From, To, Cc, Subject, Date, Message-ID, MIME-Version, Content-Type\n"
              "from: Jens Ærø <jens@advokat.dk>\nto: Søren Ås <soren@klient.dk>\n"
              "cc: Mette <mette@advokat.dk>\nsubject: Møde om sag 12\n"
              "text/plain: Kære Søren\\r\\nVi ses på kontoret i Århus.\\r\\n.\\r\\nHilsen\n"
              "attachment: Stævning æøå.pdf, application/pdf\n"
              "attachment: noter.txt, application/octet-stream\n");
    EXPECT_EQ(testing::readHostFile(folder.path() / "1/attachment-1"), mail.attachments[0].data);
}

// Deliveries that fail, each quickly and with a reason; the server gets nothing.
TEST_F(SmtpDeliveryTest, FailsWithAReasonDoesNotHangAndSendsNothing) {
    // A closed port, and one that takes connections but never greets.
    const testing::LoopbackSocket closed(false), silent(true);
    const std::string url = sender.smtpUrl, from = "j@a.dk", to = "s@k.dk";
    const struct {
        const char* name;
        std::string url, from, user, reason;
        std::vector<std::string> to;
    } cases[] = {
        {"closed port", closed.url(), from, "", "Mailserveren kunne ikke nås.", {to}},
        {"server that never answers", silent.url(), from, "", "svarede ikke i tide", {to}},
        {"not a mail URL", "file:///etc/passwd", from, "", "ikke angivet som smtp://", {to}},
        {"no sender address", url, "", "", "Kontoen har ingen afsenderadresse.", {to}},
        {"no recipient address", url, from, "", "ingen modtager med en mailadresse", {""}},
        {"command in a recipient",
         url,
         from,
         "",
         "er ikke en mailadresse",
         {"a@b.dk>\r\nRCPT TO:<c@d.dk"}},
        {"command in the sender", url, from + ">\r\nRSET", "", "er ikke en mailadresse", {to}},
        {"a password unencrypted",
         url,
         from,
         "jens",
         "adgangskoden sendes aldrig ukrypteret",
         {to}},
        {"one recipient refused",
         url,
         from,
         "",
         "Mailserveren afviste mailen: \"550 ",
         {to, "afvis@k.dk"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mail.recipients.clear();
        for (const std::string& address : c.to) {
            mail.recipients.push_back({To, "", address, "SMTP", ""});
        }
        const Account account{"", c.from, "", "", c.url, c.user, "hemmelig"};
        const auto fails =
            Throws<Failure>(AllOf(Property(&Failure::number, failure::AutomationError),
                                  Property(&Failure::description, HasSubstr(c.reason))));
        EXPECT_THAT([&] { SmtpTransport({1s, 2s}).deliver(mail, account); }, fails);
    }
    EXPECT_FALSE(fs::exists(folder.path() / "1"));
}

} // namespace
} // namespace lexi::mailstore
