#include "platform/posix/msgfile/property_writer.h"

#include "platform/posix/msgfile/compound_writer.h"
#include "platform/posix/msgfile/file_time.h"
#include "platform/posix/msgfile/property_key.h"
#include "platform/posix/msgfile/text_encoding.h"

namespace lexi::msgfile {
namespace {

constexpr std::size_t Utf16Terminator = 2;

} // namespace

void PropertyWriter::integer(std::uint16_t id, std::uint32_t value) {
    entries_.push_back({propertyTag(id, property_type::Long), value});
}

void PropertyWriter::time(std::uint16_t id, Time value) {
    entries_.push_back({propertyTag(id, property_type::SysTime), fileTimeFromTime(value)});
}

void PropertyWriter::binary(std::uint16_t id, std::string value) {
    variable(id, property_type::Binary, std::move(value), 0);
}

void PropertyWriter::text(std::uint16_t id, std::string_view utf8) {
    variable(id, property_type::Unicode, utf8ToUtf16(utf8), Utf16Terminator);
}

// The entry of a string counts its terminator, which the stream leaves out.
void PropertyWriter::variable(std::uint16_t id, std::uint16_t type, std::string value,
                              std::size_t terminatorSize) {
    entries_.push_back({propertyTag(id, type), value.size() + terminatorSize});
    values_.push_back({valueStreamName(id, type), std::move(value)});
}

void PropertyWriter::write(OutStorage& storage, std::string header) const {
    storage.stream(PropertyStreamName, buildPropertyStream(std::move(header), entries_));
    for (const VariableValue& value : values_) {
        storage.stream(value.streamName, value.content);
    }
}

} // namespace lexi::msgfile
