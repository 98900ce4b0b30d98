#include "platform/posix/mailstore/local_time.h"

#include "platform/outlook.h"

#include <ctime>

namespace lexi::mailstore {

LocalDateTime toLocal(msgfile::Time time) {
    if (time == msgfile::NoDate) {
        return outlook::Never;
    }
    const std::time_t seconds =
        std::chrono::floor<std::chrono::seconds>(time).time_since_epoch().count();
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

msgfile::Time fromLocal(const LocalDateTime& local) {
    if (local == outlook::Never) {
        return msgfile::NoDate;
    }
    std::tm parts{};
    parts.tm_year = local.year - 1900;
    parts.tm_mon = local.month - 1;
    parts.tm_mday = local.day;
    parts.tm_hour = local.hour;
    parts.tm_min = local.minute;
    parts.tm_sec = local.second;
    parts.tm_isdst = -1;
    const std::time_t seconds = ::mktime(&parts);
    return msgfile::Time{std::chrono::seconds{seconds}};
}

} // namespace lexi::mailstore
