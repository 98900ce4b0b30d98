#include "platform/posix/msgfile/property_reader.h"

#include "platform/posix/msgfile/corrupt_file.h"
#include "platform/posix/msgfile/file_time.h"
#include "platform/posix/msgfile/property_stream.h"
#include "platform/posix/msgfile/text_encoding.h"

namespace lexi::msgfile {

PropertyReader::PropertyReader(Storage storage, std::size_t headerSize,
                               const NamedPropertyIds& names)
    : storage_(std::move(storage)), names_(names) {
    const auto stream = storage_.stream(PropertyStreamName);
    if (!stream) {
        throw CorruptFile("a storage has no property stream");
    }
    fixedValues_ = parsePropertyStream(*stream, headerSize);
}

std::optional<std::uint64_t> PropertyReader::fixed(const PropertyKey& key,
                                                   std::uint16_t type) const {
    const auto id = names_.find(key);
    if (!id) {
        return std::nullopt;
    }
    const auto found = fixedValues_.find(propertyTag(*id, type));
    if (found == fixedValues_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::string> PropertyReader::variable(const PropertyKey& key,
                                                    std::uint16_t type) const {
    const auto id = names_.find(key);
    if (!id) {
        return std::nullopt;
    }
    return storage_.stream(valueStreamName(*id, type));
}

std::optional<std::uint32_t> PropertyReader::integer(const PropertyKey& key) const {
    const auto value = fixed(key, property_type::Long);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

std::optional<Time> PropertyReader::time(const PropertyKey& key) const {
    const auto value = fixed(key, property_type::SysTime);
    if (!value) {
        return std::nullopt;
    }
    return timeFromFileTime(*value);
}

std::optional<std::string> PropertyReader::binary(const PropertyKey& key) const {
    return variable(key, property_type::Binary);
}

std::optional<std::string> PropertyReader::text(const PropertyKey& key,
                                                std::uint32_t codePage) const {
    if (const auto unicode = variable(key, property_type::Unicode)) {
        return utf16ToUtf8(*unicode);
    }
    if (const auto bytes = variable(key, property_type::String8)) {
        return codePageToUtf8(*bytes, codePage);
    }
    return std::nullopt;
}

} // namespace lexi::msgfile
