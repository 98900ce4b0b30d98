// Delivery through a real SMTP conversation with a mail server on loopback
// (tests/mailstore/smtp_sink.py, which decodes what it receives), and the
// ways a delivery fails.

#include "platform/failure.h"
#include "platform/posix/mailstore/smtp_transport.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <arpa/inet.h>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace lexi::mailstore {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using msgfile::RecipientType;

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

private:
    int fd_;
    int port_ = 0;
};

bool accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected =
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

// A Python that has aiosmtpd: Debian's own first, then the one on PATH.
std::string pythonWithAiosmtpd() {
    std::vector<std::string> candidates{"/usr/bin/python3"};
    std::istringstream path(std::getenv("PATH") ? std::getenv("PATH") : "");
    for (std::string folder; std::getline(path, folder, ':');) {
        candidates.push_back(folder + "/python3");
    }
    testing::TempFolder scratch;
    for (const std::string& candidate : candidates) {
        if (::access(candidate.c_str(), X_OK) == 0 &&
            testing::runProgram(candidate, {"-c", "import aiosmtpd"}, {}, scratch.path())
                    .exitCode == 0) {
            return candidate;
        }
    }
    return {};
}

// smtp_sink.py on a free port, stopped when the object goes.
class SinkServer {
public:
    SinkServer(const std::string& python, const fs::path& folder)
        : port_(LoopbackSocket(false).port()) {
        const std::string log = (folder / "server.log").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        const std::string port = std::to_string(port_);
        const std::string mails = (folder / "mails").string();
        fs::create_directory(mails);
        std::vector<std::string> arguments{python, SMTP_SINK_SCRIPT, port, mails, "60"};
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        const int failed =
            ::posix_spawn(&pid_, python.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed) {
            pid_ = 0;
            return;
        }
        for (int attempt = 0; attempt < 100 && !accepts(port_); ++attempt) {
            std::this_thread::sleep_for(100ms);
        }
    }
    ~SinkServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool running() const { return pid_ > 0 && accepts(port_); }
    std::string url() const { return "smtp://127.0.0.1:" + std::to_string(port_); }

private:
    int port_;
    pid_t pid_ = 0;
};

Account sender(const std::string& url) {
    Account account;
    account.displayName = "Jens Ærø";
    account.address = "jens@advokat.dk";
    account.smtpUrl = url;
    return account;
}

msgfile::Recipient recipient(RecipientType type, std::string name, std::string address) {
    msgfile::Recipient result;
    result.type = type;
    result.displayName = std::move(name);
    result.address = std::move(address);
    return result;
}

msgfile::Attachment attachment(std::string name, std::string mimeType, std::string data) {
    msgfile::Attachment result;
    result.longFileName = std::move(name);
    result.mimeType = std::move(mimeType);
    result.data = std::move(data);
    return result;
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

std::string lowered(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

class SmtpDeliveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        python = pythonWithAiosmtpd();
        if (python.empty()) {
            GTEST_SKIP() << "python3 with aiosmtpd (Debian's python3-aiosmtpd) is not installed";
        }
        server = std::make_unique<SinkServer>(python, folder.path());
        ASSERT_TRUE(server->running()) << testing::readHostFile(folder.path() / "server.log");
    }
    std::string received(int mail, const std::string& name) const {
        return testing::readHostFile(folder.path() / "mails" / std::to_string(mail) / name);
    }

    testing::TempFolder folder;
    std::string python;
    std::unique_ptr<SinkServer> server;
};

TEST_F(SmtpDeliveryTest, DeliversToEveryRecipientAndKeepsBccOutOfTheText) {
    struct Case {
        msgfile::BodyFormat format;
        std::string bodyType;
        std::string bodyText;
    };
    const Case cases[] = {
        {msgfile::BodyFormat::Plain, "text/plain", "Vi ses på kontoret i Århus.\r\n.\r\nHilsen"},
        {msgfile::BodyFormat::Html, "text/html", "<p>Vi ses på kontoret i Århus.</p>"},
    };
    int mail = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bodyType);
        msgfile::Message message = danishMail();
        message.bodyFormat = c.format;
        SmtpTransport().deliver(message, sender(server->url()));
        ++mail;

        EXPECT_EQ(received(mail, "mail_from"), "jens@advokat.dk");
        EXPECT_EQ(received(mail, "rcpt_tos"),
                  "soren@klient.dk\nmette@advokat.dk\narkiv@advokat.dk");
        EXPECT_EQ(lowered(received(mail, "headers")).find("bcc"), std::string::npos);
        EXPECT_EQ(lowered(received(mail, "raw.eml")).find("arkiv"), std::string::npos);
        EXPECT_EQ(received(mail, "subject"), "Møde om sag 12");
        EXPECT_EQ(received(mail, "from"), "Jens Ærø <jens@advokat.dk>");
        EXPECT_EQ(received(mail, "to"), "Søren Ås <soren@klient.dk>");
        EXPECT_EQ(received(mail, "cc"), "Mette <mette@advokat.dk>");
        EXPECT_EQ(received(mail, "body_type"), c.bodyType);
        EXPECT_NE(received(mail, "body").find(c.bodyText), std::string::npos)
            << received(mail, "body");
        EXPECT_EQ(received(mail, "attachment-1.name"), "Stævning æøå.pdf");
        EXPECT_EQ(received(mail, "attachment-1.type"), "application/pdf");
        EXPECT_EQ(received(mail, "attachment-1.data"), BinaryBytes);
        EXPECT_EQ(received(mail, "attachment-2.name"), "noter.txt");
        EXPECT_EQ(received(mail, "attachment-2.type"), "application/octet-stream");
        EXPECT_EQ(received(mail, "attachment-2.data"), "Første linje\r\nAnden linje\r\n");
    }
}

TEST_F(SmtpDeliveryTest, ARefusedRecipientFailsTheDeliveryWithTheServersReason) {
    msgfile::Message message = danishMail();
    message.recipients.push_back(recipient(RecipientType::Cc, "", "afvis@klient.dk"));
    try {
        SmtpTransport().deliver(message, sender(server->url()));
        FAIL() << "delivered";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), failure::AutomationError);
        EXPECT_NE(failure.description().find("550"), std::string::npos) << failure.description();
    }
    EXPECT_FALSE(fs::exists(folder.path() / "mails" / "1"));
}

TEST_F(SmtpDeliveryTest, APasswordIsNeverSentToAServerWithoutEncryption) {
    Account account = sender(server->url());
    account.smtpUser = "jens";
    account.smtpPassword = "hemmeligt";
    EXPECT_THROW(SmtpTransport().deliver(danishMail(), account), Failure);
    EXPECT_FALSE(fs::exists(folder.path() / "mails" / "1"));
}

// Deliveries that fail without a working server, each quickly.
TEST(SmtpTransportTest, FailsWithAReasonAndDoesNotHang) {
    const LoopbackSocket closed(false);
    const LoopbackSocket silent(true); // takes connections but never greets
    const std::string closedUrl = "smtp://127.0.0.1:" + std::to_string(closed.port());
    const std::string silentUrl = "smtp://127.0.0.1:" + std::to_string(silent.port());
    struct Case {
        const char* name;
        std::string url;
        std::string senderAddress;
        std::string recipientAddress;
    };
    const Case cases[] = {
        {"closed port", closedUrl, "jens@advokat.dk", "soren@klient.dk"},
        {"server that never answers", silentUrl, "jens@advokat.dk", "soren@klient.dk"},
        {"not a mail URL", "file:///etc/passwd", "jens@advokat.dk", "soren@klient.dk"},
        {"no sender address", closedUrl, "", "soren@klient.dk"},
        {"no recipient address", closedUrl, "jens@advokat.dk", ""},
        {"command in a recipient", closedUrl, "jens@advokat.dk", "a@b.dk>\r\nRCPT TO:<c@d.dk"},
        {"command in the sender", closedUrl, "jens@advokat.dk>\r\nRSET", "soren@klient.dk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Account account = sender(c.url);
        account.address = c.senderAddress;
        msgfile::Message message;
        message.subject = "Sag 12";
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
