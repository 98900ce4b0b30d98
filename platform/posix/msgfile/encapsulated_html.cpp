#include "platform/posix/msgfile/encapsulated_html.h"

#include "platform/posix/msgfile/rtf_walker.h"

namespace lexi::msgfile {

std::optional<std::string> htmlFromRtf(std::string_view rtf) {
    RtfReading reading = readRtf(rtf, RtfContent::Html);
    if (!reading.fromHtml) {
        return std::nullopt;
    }
    return std::move(reading.content);
}

} // namespace lexi::msgfile
