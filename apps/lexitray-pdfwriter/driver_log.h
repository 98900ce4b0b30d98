#pragma once

#include <string>
#include <string_view>

namespace lexi {

// The driver's own log: one line per step of a job, each a local time stamp
// and the text, appended as a whole so that jobs running at once do not mix
// their lines. It never holds a password: the job writes none to it.
class DriverLog {
public:
    explicit DriverLog(std::string hostPath) : path_(std::move(hostPath)) {}

    // Appends the line; a log that cannot be written is passed over.
    void write(std::string_view text);

private:
    std::string path_;
};

} // namespace lexi
