#include "platform/posix/mailstore/restrict_filter.h"

#include "platform/failure.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/text.h"

#include <cstdio>

namespace lexi::mailstore {
namespace {

[[noreturn]] void cannotParse(std::string_view filter) {
    throw Failure(failure::AutomationError,
                  "Cannot parse condition. Error at \"" + std::string(filter) + "\".", "Restrict");
}

} // namespace

TimeFilter parseRestrictFilter(std::string_view filter) {
    TimeFilter result;
    std::string_view rest = text::trimSpaces(filter);
    const std::size_t close = rest.find(']');
    if (!rest.starts_with('[') || close == std::string_view::npos) {
        cannotParse(filter);
    }
    const std::string_view field = rest.substr(1, close - 1);
    if (text::equalsIgnoreCase(field, "SentOn")) {
        result.field = TimeFilter::Field::SentOn;
    } else if (text::equalsIgnoreCase(field, "ReceivedTime")) {
        result.field = TimeFilter::Field::ReceivedTime;
    } else {
        cannotParse(filter);
    }
    rest = text::trimSpaces(rest.substr(close + 1));
    const auto take = [&](std::string_view op, TimeFilter::Comparison comparison) {
        if (!rest.starts_with(op)) {
            return false;
        }
        result.comparison = comparison;
        rest = text::trimSpaces(rest.substr(op.size()));
        return true;
    };
    if (!take(">=", TimeFilter::Comparison::GreaterOrEqual) &&
        !take("<=", TimeFilter::Comparison::LessOrEqual) &&
        !take(">", TimeFilter::Comparison::Greater) && !take("<", TimeFilter::Comparison::Less)) {
        cannotParse(filter);
    }
    if (rest.size() < 2 || rest.front() != '\'' || rest.back() != '\'') {
        cannotParse(filter);
    }
    const std::string value(rest.substr(1, rest.size() - 2));
    LocalDateTime when{};
    char end = 0;
    const int fields =
        std::sscanf(value.c_str(), "%2d-%2d-%4d %2d:%2d:%2d%c", &when.day, &when.month, &when.year,
                    &when.hour, &when.minute, &when.second, &end);
    const bool valid = (fields == 5 || fields == 6) && when.day >= 1 && when.day <= 31 &&
                       when.month >= 1 && when.month <= 12 && when.hour >= 0 && when.hour <= 23 &&
                       when.minute >= 0 && when.minute <= 59 && when.second >= 0 &&
                       when.second <= 59;
    if (!valid) {
        cannotParse(filter);
    }
    result.bound = fromLocal(when);
    return result;
}

} // namespace lexi::mailstore
