#include "shared/pdfwriter/default_printer.h"

#include "shared/pdfwriter/md_pdf_writer.h"

namespace lexi {
namespace {

constexpr std::string_view DevicesKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";
constexpr std::string_view WindowsKey =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr std::string_view DeviceValue = "Device";

// A value as text, empty when it is missing or cannot be read; a value longer
// than the first read's buffer is read again at its size.
std::string readText(mdRegistry& registry, std::string_view key, std::string_view name) {
    constexpr std::int32_t FirstBuffer = 255;
    std::int32_t bufferSize = FirstBuffer;
    auto value = registry.ReadRegistryValue(key, name, bufferSize);
    if (!value && bufferSize > FirstBuffer) {
        value = registry.ReadRegistryValue(key, name, bufferSize);
    }
    return value.value_or("");
}

} // namespace

bool DefaultPrinterSwitch::toPdfWriter(mdRegistry& registry) {
    const std::string port = readText(registry, DevicesKey, PdfWriterName);
    if (port.empty()) {
        return false;
    }
    if (!saved_) {
        saved_ = readText(registry, WindowsKey, DeviceValue);
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
