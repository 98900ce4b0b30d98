#pragma once

#include "shared/registry/md_registry.h"

namespace lexi {

// The registry methods the library offers the case-management system.
class RegEdit {
public:
    explicit RegEdit(mdRegistry& registry) : registry_(registry) {}

    // Always a string value.
    bool WriteRegKey(std::string_view KeyName, std::string_view ValueName, std::string_view Value);
    // Throws Failure 94 "Invalid use of Null" when the value cannot be read.
    std::string GetRegKey(std::string_view KeyName, std::string_view ValueName);
    bool DeleteRegKey(std::string_view KeyName);

private:
    mdRegistry& registry_;
};

} // namespace lexi
