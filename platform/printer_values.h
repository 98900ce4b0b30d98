#pragma once

#include "platform/registry.h"

#include <string>
#include <string_view>

// What Windows keeps of the user's printers in the registry, as Windows
// programs read and set it.
namespace lexi::printer_values {

// The default printer's name: the "Device" string up to its comma (the name,
// a comma, then the port description); empty when none is set.
std::string defaultPrinter(Registry& registry);

// A printer's "Devices" string (the spooler, a comma, the port); empty for a
// printer not installed for the user.
std::string devicesEntry(Registry& registry, std::string_view printer);

// The port a printer is installed on: its "Devices" string after the comma.
std::string port(Registry& registry, std::string_view printer);

} // namespace lexi::printer_values
