#include "shared/pdfwriter/default_printer.h"

#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"

namespace lexi {
namespace {

constexpr std::string_view WindowsKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr std::string_view DeviceValue = "Device";

} // namespace

bool DefaultPrinterSwitch::toPdfWriter(mdRegistry& registry) {
    const std::string port = readRegistryText(registry, driver::DevicesKey, PdfWriterName);
    if (port.empty()) {
        return false;
    }
    if (!saved_) {
        saved_ = readRegistryText(registry, WindowsKey, DeviceValue);
    }
    registry.WriteRegistryValue(WindowsKey, DeviceValue, std::string(PdfWriterName) + "," + port,
                                false);
    return true;
}

void DefaultPrinterSwitch::back(mdRegistry& registry) {
    if (saved_) {
        registry.WriteRegistryValue(WindowsKey, DeviceValue, *saved_, false);
        saved_.reset();
    }
}

} // namespace lexi
