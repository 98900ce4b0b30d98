#pragma once

#include "platform/registry.h"
#include "platform/settings.h"

namespace lexi {

// The per-user settings store kept in the registry, under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>,
// where Windows programs of this family keep theirs, so that a
// workstation's settings carry over. Values are strings in the code page.
class RegistrySettings final : public SettingsStore {
public:
    explicit RegistrySettings(Registry& registry);

    std::string getSetting(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view fallback) override;
    void saveSetting(std::string_view app, std::string_view section, std::string_view key,
                     std::string_view value) override;
    void deleteSetting(std::string_view app, std::string_view section,
                       std::string_view key) override;
    void deleteSection(std::string_view app, std::string_view section) override;

private:
    Registry& registry_;
};

} // namespace lexi
