#include "platform/printer_values.h"

#include "platform/cp1252.h"

#include <algorithm>

namespace lexi::printer_values {
namespace {

constexpr std::string_view WindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr std::string_view DevicesKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";

// A text value of the user's registry; empty when it is missing or no text.
std::string readText(Registry& registry, std::string_view key, std::string_view name) {
    auto value = queryWholeValue(registry, RegistryRoot::CurrentUser, key, name);
    if (!value || value->type != RegistryType::String) {
        return {};
    }
    std::string bytes = std::move(value->data);
    bytes.resize(std::min(bytes.size(), bytes.find('\0')));
    return cp1252::toUtf8(bytes);
}

} // namespace

std::string defaultPrinter(Registry& registry) {
    const std::string device = readText(registry, WindowsKey, "Device");
    return device.substr(0, device.find(','));
}

std::string devicesEntry(Registry& registry, std::string_view printer) {
    return readText(registry, DevicesKey, printer);
}

std::string port(Registry& registry, std::string_view printer) {
    const std::string device = devicesEntry(registry, printer);
    const std::size_t comma = device.find(',');
    return comma == std::string::npos ? std::string() : device.substr(comma + 1);
}

} // namespace lexi::printer_values
