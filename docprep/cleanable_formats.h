#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexi {

// The kinds of document the hidden-data cleaner (lexitray-cleaner) cleans,
// known by their file name's extension, without regard to letter case.
enum class CleanableFormat {
    OfficeOpenXml, // .docx .docm .xlsx .xlsm .pptx .pptm
    OpenDocument,  // .odt .ods .odp
    WordBinary,    // .doc
    Pdf,           // .pdf
};

// The kind of a document by its extension (without the dot); nothing for a
// document the cleaner cannot clean.
std::optional<CleanableFormat> cleanableExtension(std::string_view extension);

// The kind of the document at `path` (a workstation or a host path).
std::optional<CleanableFormat> cleanableFormat(std::string_view path);

// The extensions the cleaner takes, for the user: "doc, docx, ... og pdf".
std::string cleanableExtensionsText();

} // namespace lexi
