#include "shared/pdfwriter/default_printer.h"

#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"

namespace lexi {
bool DefaultPrinterSwitch::toPdfWriter(mdRegistry& registry) {
    const std::string port = readRegistryText(registry, driver::DevicesKey, PdfWriterName);
    if (port.empty()) {
        return false;
    }
    if (!saved_) {
        saved_ = readRegistryText(registry, driver::WindowsKey, driver::DeviceValue);
    }
    registry.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue,
                                std::string(PdfWriterName) + "," + port, false);
    return true;
}

void DefaultPrinterSwitch::back(mdRegistry& registry) {
    if (saved_) {
        registry.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue, *saved_, false);
        saved_.reset();
    }
}

} // namespace lexi
