#include "platform/posix/msgfile/rtf_text.h"

#include "platform/posix/msgfile/html_text.h"
#include "platform/posix/msgfile/rtf_walker.h"

namespace lexi::msgfile {

std::string plainTextFromRtf(std::string_view rtf) {
    RtfReading reading = readRtf(rtf, RtfContent::Html);
    if (reading.fromHtml) {
        return plainTextFromHtml(reading.content);
    }
    return readRtf(rtf, RtfContent::Text).content;
}

} // namespace lexi::msgfile
