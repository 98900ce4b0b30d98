#include "platform/registry_settings.h"

#include "platform/cp1252.h"
#include "platform/failure.h"

namespace lexi {
namespace {

const char* const Source = "SettingsStore";
constexpr std::size_t LargestSetting = 1 << 20;

std::string sectionKey(std::string_view app, std::string_view section) {
    return "Software\\VB and VBA Program Settings\\" + std::string(app) + "\\" +
           std::string(section);
}

// Settings calls fail with the runtime's "Invalid procedure call or argument",
// as the settings functions do.
void require(RegistryStatus status) {
    if (status != RegistryStatus::Ok) {
        throw Failure(failure::InvalidProcedureCall, Source);
    }
}

} // namespace

RegistrySettings::RegistrySettings(Registry& registry) : registry_(registry) {}

std::string RegistrySettings::getSetting(std::string_view app, std::string_view section,
                                         std::string_view key, std::string_view fallback) {
    RegistryValue value;
    std::size_t size = 0;
    if (registry_.queryValue(RegistryRoot::CurrentUser, sectionKey(app, section), key,
                             LargestSetting, value, size) != RegistryStatus::Ok ||
        value.type != RegistryType::String) {
        return std::string(fallback);
    }
    const std::string_view bytes = value.data;
    return cp1252::toUtf8(bytes.substr(0, bytes.find('\0')));
}

void RegistrySettings::saveSetting(std::string_view app, std::string_view section,
                                   std::string_view key, std::string_view value) {
    const std::string path = sectionKey(app, section);
    require(registry_.createKey(RegistryRoot::CurrentUser, path));
    RegistryValue stored{RegistryType::String, cp1252::fromUtf8(value) + '\0'};
    require(registry_.setValue(RegistryRoot::CurrentUser, path, key, stored));
}

void RegistrySettings::deleteSetting(std::string_view app, std::string_view section,
                                     std::string_view key) {
    require(registry_.deleteValue(RegistryRoot::CurrentUser, sectionKey(app, section), key));
}

void RegistrySettings::deleteSection(std::string_view app, std::string_view section) {
    require(registry_.deleteKey(RegistryRoot::CurrentUser, sectionKey(app, section)));
}

} // namespace lexi
