#pragma once

#include "tests/support/run_program.h"

#include <arpa/inet.h>
#include <stdexcept>
#include <sys/socket.h>

namespace lexi::testing {

// A socket on a free loopback port; listening or merely bound.
struct LoopbackSocket {
    explicit LoopbackSocket(bool listening) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            (listening && ::listen(fd_, 4) != 0)) {
            throw std::runtime_error("no loopback port");
        }
        port = std::to_string(ntohs(address.sin_port));
    }
    ~LoopbackSocket() { ::close(fd_); }
    std::string url() const { return "smtp://127.0.0.1:" + port; }

    const int fd_;
    std::string port;
};

// smtp_sink.py on a free loopback port, run by Debian's python3 (which has
// aiosmtpd): the n-th mail it takes lies in `folder`/<n>/.
class SmtpSink {
public:
    explicit SmtpSink(const std::filesystem::path& folder)
        : folder_(folder), port_(LoopbackSocket(false).port),
          server_("/usr/bin/python3", {SMTP_SINK_SCRIPT, port_, folder.string(), "60"}, {},
                  folder) {}

    std::string url() const { return "smtp://127.0.0.1:" + port_; }
    // Whether it listens, waiting for it a while.
    bool started() const {
        return eventually([&] { return std::filesystem::exists(folder_ / "ready"); });
    }

private:
    std::filesystem::path folder_;
    std::string port_;
    RunningProgram server_;
};

} // namespace lexi::testing
