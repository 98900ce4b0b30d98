#include "platform/posix/msgfile/body_format.h"

#include <utility>

namespace lexi::msgfile {
namespace {

constexpr std::pair<BodyFormat, std::uint32_t> NativeBodies[] = {
    {BodyFormat::Plain, 1},
    {BodyFormat::RichText, 2},
    {BodyFormat::Html, 3},
};

} // namespace

std::optional<std::uint32_t> nativeBodyOf(BodyFormat format) {
    for (const auto& [bodyFormat, nativeBody] : NativeBodies) {
        if (bodyFormat == format) {
            return nativeBody;
        }
    }
    return std::nullopt;
}

std::optional<BodyFormat> bodyFormatOf(std::uint32_t nativeBody) {
    for (const auto& [bodyFormat, native] : NativeBodies) {
        if (native == nativeBody) {
            return bodyFormat;
        }
    }
    return std::nullopt;
}

} // namespace lexi::msgfile
