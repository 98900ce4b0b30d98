#pragma once

#include "shared/registry/md_registry.h"

#include <optional>
#include <string>

namespace lexi {

// The Windows default printer switched to the PDF writer and back. The
// default printer is the "Device" string (printer name, a comma, its port
// description); the PDF writer's is its name, a comma and the port
// description under which the driver is installed.
class DefaultPrinterSwitch {
public:
    // Makes the PDF writer the default printer, keeping the one in force to
    // put back. While a switch is in force the printer kept from its start
    // stays kept: the one in force then is the PDF writer itself. False, with
    // nothing changed, when the PDF writer is not installed.
    bool toPdfWriter(mdRegistry& registry);

    // Puts the kept default printer back exactly as it was read; nothing when
    // no switch is in force.
    void back(mdRegistry& registry);

    bool inForce() const { return saved_.has_value(); }

private:
    std::optional<std::string> saved_;
};

} // namespace lexi
