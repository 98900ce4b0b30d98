#pragma once

#include "platform/posix/msgfile/message.h"
#include "platform/posix/msgfile/property_stream.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Collects the properties of one object (message, recipient or attachment) and
// writes them as its property stream and value streams.
namespace lexi::msgfile {

class OutStorage;

class PropertyWriter {
public:
    void integer(std::uint16_t id, std::uint32_t value);
    void time(std::uint16_t id, Time value);
    void binary(std::uint16_t id, std::string value);
    // Written as a Unicode string.
    void text(std::uint16_t id, std::string_view utf8);

    // header: the bytes before the entries (MessageHeaderSize or ChildHeaderSize).
    void write(OutStorage& storage, std::string header) const;

private:
    void variable(std::uint16_t id, std::uint16_t type, std::string value,
                  std::size_t terminatorSize);

    struct VariableValue {
        std::string streamName;
        std::string content;
    };
    std::vector<PropertyEntry> entries_;
    std::vector<VariableValue> values_;
};

} // namespace lexi::msgfile
