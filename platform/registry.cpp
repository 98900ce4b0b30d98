#include "platform/registry.h"

namespace lexi {

std::optional<RegistryValue> queryWholeValue(Registry& registry, RegistryRoot root,
                                             std::string_view subkey, std::string_view name) {
    constexpr std::size_t CommonSize = 1024;
    RegistryValue value;
    std::size_t size = 0;
    RegistryStatus status = registry.queryValue(root, subkey, name, CommonSize, value, size);
    if (status == RegistryStatus::MoreData) {
        status = registry.queryValue(root, subkey, name, size, value, size);
    }
    if (status != RegistryStatus::Ok) {
        return std::nullopt;
    }
    return value;
}

} // namespace lexi
