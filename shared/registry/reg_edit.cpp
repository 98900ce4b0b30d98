#include "shared/registry/reg_edit.h"

#include "platform/failure.h"

namespace lexi {

bool RegEdit::WriteRegKey(std::string_view KeyName, std::string_view ValueName,
                          std::string_view Value) {
    return registry_.WriteRegistryValue(KeyName, ValueName, Value, false);
}

std::string RegEdit::GetRegKey(std::string_view KeyName, std::string_view ValueName) {
    std::int32_t bufferSize = 0;
    auto value = registry_.ReadRegistryValue(KeyName, ValueName, bufferSize);
    if (!value) {
        throw Failure(failure::InvalidUseOfNull, "RegEdit");
    }
    return std::move(*value);
}

bool RegEdit::DeleteRegKey(std::string_view KeyName) {
    return registry_.DeleteRegistryKey(KeyName);
}

} // namespace lexi
