#include "apps/lexitray-pdfwriter/driver_log.h"

#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace lexi {

void DriverLog::write(std::string_view text) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    const std::size_t length = std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S ", &local);
    std::string line(stamp, length);
    line.append(text);
    line += '\n';
    const int file = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (file < 0) {
        return;
    }
    // One write of the whole line: appends of several processes do not interleave.
    [[maybe_unused]] const ssize_t written = ::write(file, line.data(), line.size());
    ::close(file);
}

} // namespace lexi
