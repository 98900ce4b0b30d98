#pragma once

#include <string>
#include <string_view>

namespace lexi {

// The per-user settings store: texts addressed by application, section and
// key, names compared without regard to letter case. Writes and deletes that
// fail throw lexi::Failure; so does deleting what does not exist.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or `fallback` when there is none (or it cannot be read).
    virtual std::string getSetting(std::string_view app, std::string_view section,
                                   std::string_view key, std::string_view fallback) = 0;

    virtual void saveSetting(std::string_view app, std::string_view section, std::string_view key,
                             std::string_view value) = 0;

    virtual void deleteSetting(std::string_view app, std::string_view section,
                               std::string_view key) = 0;

    // Deletes a whole section with every key in it.
    virtual void deleteSection(std::string_view app, std::string_view section) = 0;
};

} // namespace lexi
