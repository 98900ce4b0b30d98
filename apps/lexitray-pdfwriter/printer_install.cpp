#include "apps/lexitray-pdfwriter/printer_install.h"

#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"

namespace lexi {
namespace {

constexpr std::string_view PortDescription = "lexitray-pdfwriter,Ne00:";

} // namespace

bool installPdfWriter(mdRegistry& registry) {
    return registry.WriteRegistryValue(driver::DevicesKey, PdfWriterName, PortDescription, false);
}

bool uninstallPdfWriter(mdRegistry& registry) {
    // A PDF writer that is not installed is uninstalled already.
    std::int32_t size = 255;
    return !registry.ReadRegistryValue(driver::DevicesKey, PdfWriterName, size) ||
           registry.DeleteRegistryValue(driver::DevicesKey, PdfWriterName);
}

} // namespace lexi
