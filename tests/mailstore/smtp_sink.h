#pragma once

#include "tests/support/run_program.h"

#include <arpa/inet.h>
#include <sys/socket.h>

namespace lexi::testing {

// A loopback port nobody listens on.
inline int freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

// smtp_sink.py on a free loopback port, run by Debian's python3 (which has
// aiosmtpd): the n-th mail it takes lies in `folder`/<n>/.
class SmtpSink {
public:
    explicit SmtpSink(const std::filesystem::path& folder)
        : folder_(folder), port_(std::to_string(freeLoopbackPort())),
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
