#pragma once

#include "platform/printers.h"
#include "platform/ui.h"
#include "shared/registry/md_registry.h"

#include <string>
#include <string_view>

namespace lexi {

// Where the driver reads its job settings when a print job arrives.
inline constexpr std::string_view PdfWriterSettingsKey =
    "HKEY_CURRENT_USER\\Software\\Lexitray PDF Writer";

// A value as text, empty when it is missing or cannot be read; a value longer
// than the first read's buffer is read again at its size.
std::string readRegistryText(mdRegistry& registry, std::string_view key, std::string_view name);

// The PDF writer's job settings: the caller names a setting in its own words,
// the module writes it under the driver's value name. Registry failures are
// told by the registry module's messages; the caller goes on.
class mdPDFWriter {
public:
    mdPDFWriter(mdRegistry& registry, Ui& ui) : registry_(registry), ui_(ui) {}

    // Deletes every job setting, leaving no copy of them in the registry's
    // files; settings that are already gone are no failure. Pending window
    // messages run afterwards.
    void ResetPDFWriter();

    // Writes one setting ("FileName", "StartNumber"...; the name compared
    // exactly) under the driver's name for it, as text or, for the numbers the
    // driver reads as bytes, as a binary value of the code-page text and a
    // zero byte. A name the driver has no value for writes nothing. Pending
    // window messages run afterwards.
    void SetPDFWriterSetting(std::string_view name, std::string_view value);

private:
    mdRegistry& registry_;
    Ui& ui_;
};

} // namespace lexi
