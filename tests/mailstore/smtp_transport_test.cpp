// Delivery through a real SMTP conversation with a mail server on loopback
// (tests/mailstore/smtp_sink.py, which decodes what it receives), and the
// ways a delivery fails.

#include "platform/failure.h"
#include "platform/posix/mailstore/smtp_transport.h"
#include "tests/mailstore/mail_parts.h"
#include "tests/support/run_program.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lexi::mailstore {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using msgfile::RecipientType;
using testing::attachment;
using testing::recipient;

// A socket on a free loopback port; listening or merely bound.
class LoopbackSocket {
public:
    explicit LoopbackSocket(bool listening) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            (listening && ::listen(fd_, 4) != 0)) {
            throw std::runtime_error("no loopback port");
        }
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackSocket() { ::close(fd_); }
    int port() const { return port_; }
    std::string url() const { return "smtp://127.0.0.1:" + std::to_string(port_); }

private:
    int fd_;
    int port_ = 0;
};

Account sender(const std::string& url) {
    Account account;
    account.displayName = "Jens Ærø";
    account.address = "jens@advokat.dk";
    account.smtpUrl = url;
    return account;
}

const std::string BinaryBytes = [] {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) {
        bytes += static_cast<char>((i * 7 + i / 256) & 0xFF);
    }
    return bytes;
}();

msgfile::Message danishMail() {
    msgfile::Message mail;
    mail.subject = "Møde om sag 12";
    mail.body = "Kære Søren\r\nVi ses på kontoret i Århus.\r\n.\r\nHilsen";
    mail.htmlBody = "<p>Kære Søren</p><p>Vi ses på kontoret i Århus.</p>";
    mail.recipients = {recipient(RecipientType::To, "Søren Ås", "soren@klient.dk"),
                       recipient(RecipientType::Cc, "Mette", "mette@advokat.dk"),
                       recipient(RecipientType::Bcc, "Arkiv", "arkiv@advokat.dk")};
    mail.attachments = {attachment("Stævning æøå.pdf", "application/pdf", BinaryBytes),
                        attachment("noter.txt", "", "Første linje\r\nAnden linje\r\n")};
    return mail;
}

// smtp_sink.py on a free port, with Debian's python3 (which has aiosmtpd in
// python3-aiosmtpd) before the one on PATH.
class SmtpDeliveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::map<std::string, std::string> path{
            {"PATH", std::string("/usr/bin:") + std::getenv("PATH")}};
        if (testing::runProgram("/usr/bin/env", {"python3", "-c", "import aiosmtpd"}, path,
                                folder.path())
                .exitCode != 0) {
            GTEST_SKIP() << "python3 with aiosmtpd (Debian's python3-aiosmtpd) is not installed";
        }
        fs::create_directory(folder.path() / "mails");
        server = std::make_unique<testing::RunningProgram>(
            "/usr/bin/env",
            std::vector<std::string>{"python3", SMTP_SINK_SCRIPT, std::to_string(port),
                                     (folder.path() / "mails").string(), "60"},
            path, folder.path());
        ASSERT_TRUE(
            testing::eventually([&] { return fs::exists(folder.path() / "mails" / "ready"); }));
    }
    std::string received(int mail, const std::string& name) const {
        return testing::readHostFile(folder.path() / "mails" / std::to_string(mail) / name);
    }

    testing::TempFolder folder;
    int port = LoopbackSocket(false).port();
    std::string url = "smtp://127.0.0.1:" + std::to_string(port);
    std::unique_ptr<testing::RunningProgram> server;
};

TEST_F(SmtpDeliveryTest, DeliversToEveryRecipientAndKeepsBccOutOfTheText) {
    const std::string common =
        "envelope: jens@advokat.dk -> soren@klient.dk, mette@advokat.dk, arkiv@advokat.dk\n"
        "headers: From, To, Cc, Subject, Date, Message-ID, MIME-Version, Content-Type\n"
        "from: Jens Ærø <jens@advokat.dk>\n"
        "to: Søren Ås <soren@klient.dk>\n"
        "cc: Mette <mette@advokat.dk>\n"
        "subject: Møde om sag 12\n";
    const std::string attachments = "attachment: Stævning æøå.pdf, application/pdf\n"
                                    "attachment: noter.txt, application/octet-stream\n";
    int mail = 0;
    for (const auto& [format, body] : {
             std::pair{
                 msgfile::BodyFormat::Plain,
                 "text/plain: Kære Søren\\r\\nVi ses på kontoret i Århus.\\r\\n.\\r\\nHilsen\n"},
             std::pair{msgfile::BodyFormat::Html,
                       "text/html: <p>Kære Søren</p><p>Vi ses på kontoret i Århus.</p>\n"},
         }) {
        msgfile::Message message = danishMail();
        message.bodyFormat = format;
        SmtpTransport().deliver(message, sender(url));
        ++mail;
        EXPECT_EQ(received(mail, "mail.txt"), common + body + attachments);
        EXPECT_EQ(received(mail, "attachment-1"), BinaryBytes);
        EXPECT_EQ(received(mail, "attachment-2"), "Første linje\r\nAnden linje\r\n");
    }
}

TEST_F(SmtpDeliveryTest, ARefusedRecipientOrAnUnencryptedPasswordSendsNothing) {
    msgfile::Message refused = danishMail();
    refused.recipients.push_back(recipient(RecipientType::Cc, "", "afvis@klient.dk"));
    Account withPassword = sender(url);
    withPassword.smtpUser = "jens";
    withPassword.smtpPassword = "hemmeligt";
    for (const auto& [message, account, reason] :
         {std::tuple{refused, sender(url), "550"}, std::tuple{danishMail(), withPassword, ""}}) {
        try {
            SmtpTransport().deliver(message, account);
            ADD_FAILURE() << "delivered";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), failure::AutomationError);
            EXPECT_NE(failure.description().find(reason), std::string::npos)
                << failure.description();
        }
    }
    EXPECT_FALSE(fs::exists(folder.path() / "mails" / "1"));
}

// Deliveries that fail without a working server, each quickly.
TEST(SmtpTransportTest, FailsWithAReasonAndDoesNotHang) {
    const LoopbackSocket bound(false);
    const LoopbackSocket silent(true); // takes connections but never greets
    const std::string closed = bound.url();
    const struct {
        const char* name;
        std::string url;
        std::string senderAddress;
        std::string recipientAddress;
    } cases[] = {
        {"closed port", closed, "jens@advokat.dk", "soren@klient.dk"},
        {"server that never answers", silent.url(), "jens@advokat.dk", "soren@klient.dk"},
        {"not a mail URL", "file:///etc/passwd", "jens@advokat.dk", "soren@klient.dk"},
        {"no sender address", closed, "", "soren@klient.dk"},
        {"no recipient address", closed, "jens@advokat.dk", ""},
        {"command in a recipient", closed, "jens@advokat.dk", "a@b.dk>\r\nRCPT TO:<c@d.dk"},
        {"command in the sender", closed, "jens@advokat.dk>\r\nRSET", "soren@klient.dk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Account account = sender(c.url);
        account.address = c.senderAddress;
        msgfile::Message message;
        message.recipients = {recipient(RecipientType::To, "Søren", c.recipientAddress)};
        const auto started = std::chrono::steady_clock::now();
        try {
            SmtpTransport({1s, 2s}).deliver(message, account);
            ADD_FAILURE() << "delivered";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), failure::AutomationError);
            EXPECT_FALSE(failure.description().empty());
        }
        EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    }
}

} // namespace
} // namespace lexi::mailstore
